#include "AboutVersions.h"

#include "FileFormat.h"
#include "CurrentTexts.h"

QString SoftwareVersionText() {
    return Text(TextSlot::SoftwareVersion) + u' ' + QString::fromUtf16(SoftwareVersionNumber);
}

QString ScheduleKernelVersionText() {
    return Text(TextSlot::ScheduleKernelVersion) + u' ' +
           QString::fromLatin1(FileFormat::KernelVersion);
}
