#include "JsonPath.h"

#include "ScheduleJson.h"

using namespace Qt::StringLiterals;

QString MessageValuePart(const QString& text, bool* cut) {
    const bool longer = text.size() > MessageValueLength;
    if (cut)
        *cut = longer;
    if (!longer)
        return text;
    qsizetype length = MessageValueLength;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.first(length);
}

QString QuotedForMessage(const QString& text) {
    bool cut = false;
    const QString literal = QString::fromUtf8(JsonStringLiteral(MessageValuePart(text, &cut)));
    return cut ? literal + u"…"_s : literal;
}

QString JsonMemberPath(const QString& path, const QString& key) {
    // The key as JSON writes it, without its quotes.
    bool cut = false;
    const QString literal = QString::fromUtf8(JsonStringLiteral(MessageValuePart(key, &cut)));
    const QString shown = literal.sliced(1, literal.size() - 2) + (cut ? u"…"_s : QString());
    return path.isEmpty() ? shown : path + u'.' + shown;
}

QString JsonElementPath(const QString& path, qsizetype index) {
    return path + u'[' + QString::number(index) + u']';
}
