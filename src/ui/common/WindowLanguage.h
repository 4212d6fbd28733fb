#pragma once

class QWidget;

// What the language of the text table in use changes beyond the texts of the
// slots: Qt's own texts and the application's font, for the whole program, and the caption font of
// the window's controls. Call it once the table is loaded and after every switch.
void ApplyLanguageToWindow(QWidget* window);
