#pragma once

#include <QString>
#include <QStringList>

// The schedule files opened or saved last, newest first, each once, kept in
// the editor's settings file beside SystemInfo.txt (which keeps its format).
// Every change is written at once, so a crash loses none of it.
class RecentFiles final {
public:
    static constexpr int MaxCount = 8;

    // Reads the list from the settings file; nothing when there is none.
    void load(const QString& settingsPath);
    const QStringList& paths() const { return m_paths; }

    // To the front; a path already listed moves there.
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

private:
    void save() const;

    QString m_settingsPath;
    QStringList m_paths;
};
