#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// How one value of SystemInfo.txt is stored between its quotes.
//
// A value is stored as its UTF-8 bytes, exactly as the file has always held
// it, unless it holds a quote or a control character (a line end among them),
// which would end or break the field. Such a value is stored after the mark
// "//" with '%', '"', ',' and every control character as %XX. No ordinary
// value starts with "//": a file name holds no '/', and a folder or a drive
// names the root once. So the mark tells the two forms apart, and an older
// reader takes an escaped value for a plain, if different, folder: it holds
// no quote, comma or line end that could shift the other values.
QByteArray EncodeSystemInfoValue(const QString& value);

// The value stored as stored; nothing when it holds a raw control character,
// a broken escape or bytes that are not UTF-8.
std::optional<QString> DecodeSystemInfoValue(QByteArrayView stored);
