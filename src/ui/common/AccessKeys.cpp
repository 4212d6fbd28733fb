#include "AccessKeys.h"

#include <QEvent>
#include <QGroupBox>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

bool marksAccessKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return true;
        ++i; // "&&" is an ampersand
    }
    return false;
}

class AccessKeyFocus final : public QObject {
public:
    AccessKeyFocus(QGroupBox* frame, QWidget* target)
        : QObject(frame)
        , m_target(target) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Shortcut || !m_target)
            return false;
        m_target->setFocus(Qt::ShortcutFocusReason);
        return true;
    }

private:
    QPointer<QWidget> m_target;
};

} // namespace

QString WithAccessKey(const QString& text, QChar key) {
    if (key.isNull() || text.isEmpty() || marksAccessKey(text))
        return text;
    qsizetype at = text.indexOf(key);
    if (at < 0)
        at = text.indexOf(key, 0, Qt::CaseInsensitive);
    if (at >= 0)
        return text.left(at) + u'&' + text.mid(at);
    const qsizetype end = text.endsWith(u"..."_s) ? text.size() - 3 : text.size();
    return text.left(end) + u"(&"_s + key.toUpper() + u')' + text.mid(end);
}

QString EscapedAmpersands(QString text) {
    return text.replace(u'&', u"&&"_s);
}

void FocusOnAccessKey(QGroupBox* frame, QWidget* target) {
    frame->installEventFilter(new AccessKeyFocus(frame, target));
}
