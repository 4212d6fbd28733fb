#include "SaveCheckMessage.h"

#include "TextTable.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// The English text is followed by the number, as it always was; a text that
// has a place for the number ("%1") takes it there.
QString withAdvancePosition(const QString& text, int position) {
    if (text.contains(u"%1"_s))
        return text.arg(position);
    return text + QString::number(position) + u" !"_s;
}

QStringList messageLines(const SaveCheckFinding& finding, const TextTable& texts) {
    switch (finding.failed) {
    case SaveCheck::Passed:
        break;
    case SaveCheck::NoSchedule:
        return {texts.text(TextSlot::NoAnySchedule), texts.text(TextSlot::CantSave)};
    case SaveCheck::AdvanceWithoutDetails:
        // The second line stands indented under the first, as it always has.
        return {withAdvancePosition(texts.text(TextSlot::AdvanceWithoutDetails),
                                    finding.advancePosition),
                QString(25, u' ') + texts.text(TextSlot::CantSave)};
    case SaveCheck::TooLarge:
        return {texts.text(TextSlot::TooManySchedules)};
    }
    return {};
}

} // namespace

QString SaveCheckMessage(const SaveCheckFinding& finding, const TextTable& texts) {
    return messageLines(finding, texts).join(u"\r\n"_s);
}

QString SaveCheckPlainMessage(const SaveCheckFinding& finding, const TextTable& texts) {
    return messageLines(finding, texts).join(u'\n');
}
