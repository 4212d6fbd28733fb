#pragma once

#include "MediaEntry.h"

#include <QString>

// The rules for a media file name typed or browsed in the media entry editor.

// Removes spaces (only spaces) at both ends, as the editor does with names.
QString TrimSpaces(const QString& text);

// The characters of a media file name: A-Z, a-z, 0-9, '.', '_' and '-'.
bool IsMediaNameCharacter(char32_t c);
// What the editor stores of them, in upper case: A-Z, 0-9, '.', '_' and '-'.
bool IsStoredMediaNameByte(quint8 byte);

// The editor's check: the name trimmed of spaces is not empty, its base has at
// most 16 and its extension at most 4 characters, and every character is
// allowed. Both letter cases pass; storing turns them to upper case.
bool IsAcceptedMediaFileName(const QString& fileNameText);

// Sets the name and extension fields of entry from an accepted name, in upper
// case.
void StoreMediaName(const QString& fileNameText, MediaEntry& entry);

// How the editor shows a stored entry's name: the name bytes up to the first
// 0, a '.', always, and the extension bytes up to the first 0.
QString EditorFileNameText(const MediaEntry& entry);
