// Any SystemInfo.txt content parses without a crash, and a complete parse of
// what the program writes gives the values back.
#include "mainwindow/SystemInfoFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    const SystemInfoFields fields = ParseSystemInfo(content, 8);
    if (fields.fields.size() > 8 || fields.complete != (fields.fields.size() >= 7))
        std::abort();
    if (!fields.complete)
        return 0;
    // Values that could be read once are written so that they read back the same.
    AppContext context;
    context.openFolder = fields.fields[0];
    context.saveFolder = fields.fields[1];
    context.scheduleFolder = fields.fields[2];
    context.scheduleFileName = fields.fields[3];
    context.mediaFolder = fields.fields[4];
    context.copyTargetDrive = fields.fields[5];
    context.copyTargetFolder = fields.fields[6];
    bool quoteFree = true;
    for (int i = 0; i < 7; ++i)
        quoteFree = quoteFree && !fields.fields[i].contains(u'"');
    if (!quoteFree)
        return 0;
    const SystemInfoFields again = ParseSystemInfo(FormatSystemInfo(context), 8);
    if (!again.complete)
        std::abort();
    for (int i = 0; i < 7; ++i) {
        if (again.fields[i] != fields.fields[i])
            std::abort();
    }
    return 0;
}
