// Any SystemInfo.txt content parses without a crash, and whatever the
// program can write reads back exactly: the values read from the input, and
// seven values made from the input's bytes (quotes, commas, line ends and
// other control characters among them).
#include "SystemInfoFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int ContextFields = 7;

AppContext contextOf(const QStringList& values) {
    AppContext context;
    QString* const targets[ContextFields] = {&context.openFolder,      &context.saveFolder,
                                             &context.scheduleFolder,  &context.scheduleFileName,
                                             &context.mediaFolder,     &context.copyTargetDrive,
                                             &context.copyTargetFolder};
    for (int i = 0; i < ContextFields; ++i)
        *targets[i] = values.value(i);
    return context;
}

// A written file holds nothing between a value's quotes that an older
// reader, one without escapes, could take for the end of a value or a line.
bool plainToAnyReader(const QByteArray& file) {
    int quotes = 0;
    for (char c : file) {
        if (c == '"')
            ++quotes;
        else if (quotes % 2 == 1 && uchar(c) < 0x20)
            return false;
    }
    return quotes == 2 * (ContextFields + 1);
}

void requireRoundTrip(const QStringList& values) {
    const AppContext context = contextOf(values);
    const QByteArray written = FormatSystemInfo(context);
    if (!plainToAnyReader(written))
        std::abort();
    const SystemInfoFields again = ParseSystemInfo(written, ContextFields + 1);
    if (!again.complete || !again.badFields.isEmpty() || again.fields.size() != ContextFields + 1)
        std::abort();
    for (int i = 0; i < ContextFields; ++i) {
        if (again.fields[i] != values.value(i))
            std::abort();
    }
    if (FormatSystemInfo(contextOf(again.fields)) != written)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    const SystemInfoFields fields = ParseSystemInfo(content, ContextFields + 1);
    if (fields.fields.size() > ContextFields + 1 ||
        fields.complete != (fields.fields.size() >= ContextFields))
        std::abort();
    QStringList read = fields.fields;
    for (int bad : fields.badFields) {
        if (bad < 0 || bad >= read.size() || !read[bad].isEmpty())
            std::abort();
    }
    requireRoundTrip(read);

    // 0xFF never occurs in UTF-8, so it parts the input into values.
    QStringList made;
    for (const QByteArray& part : content.split('\xff'))
        made.append(QString::fromUtf8(part));
    requireRoundTrip(made);
    return 0;
}
