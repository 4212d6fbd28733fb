#include "SaveCheckMessage.h"

#include "TextTable.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

QStringList messageLines(const SaveCheckFinding& finding, const TextTable& texts) {
    switch (finding.failed) {
    case SaveCheck::Passed:
        break;
    case SaveCheck::NoSchedule:
        return {texts.text(TextSlot::NoAnySchedule), texts.text(TextSlot::CantSave)};
    case SaveCheck::AdvanceWithoutDetails:
        // The second line stands indented under the first, as it always has.
        return {texts.text(TextSlot::AdvanceWithoutDetails) +
                    QString::number(finding.advancePosition) + u" !"_s,
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
