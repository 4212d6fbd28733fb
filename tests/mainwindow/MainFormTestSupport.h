#pragma once

// What the main window tests (here and in tests/reliability) share: program
// folders, schedule and settings files written beforehand, and what the window
// shows.

#include "MainForm.h"
#include "RowFormat.h"
#include "ScheduleWriter.h"
#include "SystemInfoFile.h"
#include "TestFiles.h"

#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QWindow>

inline MediaEntry MediaEntryNamed(QByteArrayView name, QByteArrayView extension) {
    MediaEntry entry;
    SetFieldBytes(entry.name, name.toByteArray());
    SetFieldBytes(entry.extension, extension.toByteArray());
    return entry;
}

// Two basic entries and three advance entries with 2, 1 and 1 details; it
// passes the checks before saving.
inline ScheduleDocument SampleDocument() {
    QList<AdvanceEntry> advance(3);
    advance[0].details = {MediaEntryNamed("CLIP", "MPG"), MediaEntryNamed("NEWS", "")};
    advance[1].details = {MediaEntryNamed("FEB", "MP3")};
    advance[2].details = {MediaEntryNamed("XMAS", "MP3")};
    return ScheduleDocument({MediaEntryNamed("SONG", "MP3"), MediaEntryNamed("INTRO", "WAV")},
                            advance);
}

// Only basic entries, different from the sample's.
inline ScheduleDocument BasicOnlyDocument() {
    return ScheduleDocument({MediaEntryNamed("SPRING", "MP3"), MediaEntryNamed("RAIN", "OGG")}, {});
}

inline bool WriteSchedule(const QString& folder, const QString& fileName,
                          const ScheduleDocument& document) {
    SeededRandomSource random(20061228);
    return WriteScheduleFile(folder, fileName, document, random);
}

// SystemInfo.txt with the seven values (the sixth line holds two), and an
// optional language line.
inline bool WriteSystemInfoFile(const QString& appFolder, const QString& openFolder,
                                const QString& saveFolder, const QString& scheduleFolder,
                                const QString& scheduleFileName,
                                const QByteArray& languageLine = {}) {
    const auto line = [](const QString& value) { return '"' + value.toUtf8() + "\"\r\n"; };
    return WriteBytes(appFolder + QString::fromUtf16(SystemInfoFileName),
                      line(openFolder) + line(saveFolder) + line(scheduleFolder) +
                          line(scheduleFileName) + line(appFolder) + "\"/\"," + line(appFolder) +
                          languageLine);
}

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
