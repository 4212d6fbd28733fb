#pragma once

// What the main window tests (here and in tests/reliability) share besides
// the files: what the window shows.

#include "MainForm.h"
#include "RowFormat.h"
#include "TestFiles.h"

#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QWindow>

inline QStringList ListRows(const QListView* list) {
    QStringList rows;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        rows.append(list->model()->index(row, 0).data().toString());
    return rows;
}

inline QStringList MediaRows(const QList<MediaEntry>& entries) {
    QStringList rows;
    for (const MediaEntry& entry : entries)
        rows.append(MediaRowText(entry));
    return rows;
}

// The caption as the desktop shows it, with the modified mark resolved.
inline QString ShownCaption(MainForm& window) {
    window.winId(); // the native window carries the caption as it is shown
    return window.windowHandle()->title();
}

inline QString ExpectedCaption(const QString& path) {
    return QStringLiteral("Morva Schedule Generator - ") + path;
}

// The names of the enabled list command buttons.
inline QStringList EnabledListButtons(MainForm& window) {
    QStringList enabled;
    const QRegularExpression name(
        QStringLiteral("^(Normal|Advance|Detail)(Add|Modify|Remove|MoveUp|MoveDown)Cmd$"));
    for (const QPushButton* button : window.findChildren<QPushButton*>(name))
        if (button->isEnabled())
            enabled.append(button->objectName());
    return enabled;
}
