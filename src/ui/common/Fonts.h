#pragma once

#include <QFont>

class QWidget;

// Captions, buttons and frames, 12 pt: "Times New Roman", which fontconfig
// maps to a metric twin where the family is not installed; while the Japanese
// table is in use, a font with Japanese glyphs when one is installed.
QFont CaptionFont();

// Puts the caption font of the table now in use on every control of the
// window (the window included) that has a caption font, keeping its size and
// style. Windows made later take it when they are built.
void RefreshCaptionFonts(QWidget* window);

// Menus, the status bar and message boxes use the application's font. While
// the Japanese table is in use it is a face with Japanese glyphs (of the
// desktop's size), so a line is not pieced together from two fonts of
// different sizes; otherwise the desktop's own.
void UseApplicationFontForLanguage();

// The list rows are columns padded with spaces, so lists use the system's
// fixed-pitch font, 12 pt.
QFont ListFont();
