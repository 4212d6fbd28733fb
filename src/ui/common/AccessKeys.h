#pragma once

#include <QString>

// The text with an access key (Alt+key, or the key in an open menu) marked.
// A text that already marks one keeps it. Otherwise the first letter equal to
// the key is marked, the same letter in the other case if there is none, and
// a text without that letter (Japanese) gets "(&K)" at its end, before any
// "...", as Japanese desktops write it.
QString WithAccessKey(const QString& text, QChar key);

// A text shown on a menu item or button as it is: an "&" stays an "&".
QString EscapedAmpersands(QString text);

class QGroupBox;
class QWidget;

// The frame's access key always takes the focus to target. Left to itself a
// frame gives it back to whichever of its widgets had it last, which, for a
// frame holding another frame, may be a widget of the inner one.
void FocusOnAccessKey(QGroupBox* frame, QWidget* target);
