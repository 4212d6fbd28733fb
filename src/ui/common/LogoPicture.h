#pragma once

#include <QIcon>
#include <QPixmap>

// The program's logo, 220 × 70 pixels as drawn; any other size is scaled
// from it, keeping its proportions.
QPixmap LogoPicture(const QSize& size);

// The logo as the program's window icon.
QIcon LogoIcon();
