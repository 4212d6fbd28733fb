#pragma once

#include <QPixmap>

// The program's logo drawn at the given size.
QPixmap LogoPicture(const QSize& size);
