#pragma once

#include <QFont>

// Captions, buttons and frames: "Times New Roman" 12 pt; fontconfig maps it to
// a metric twin where the family is not installed.
QFont CaptionFont();

// The list rows are columns padded with spaces, so lists use the system's
// fixed-pitch font, 12 pt.
QFont ListFont();
