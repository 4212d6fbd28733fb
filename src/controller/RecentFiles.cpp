#include "RecentFiles.h"

#include <QDir>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

const QString Key = u"recentFiles/paths"_s;

// One spelling per file, so that "a/../b.mvs" and "b.mvs" are listed once.
QString normalised(const QString& path) {
    return QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

void RecentFiles::load(const QString& settingsPath) {
    m_settingsPath = settingsPath;
    m_paths.clear();
    const QSettings settings(settingsPath, QSettings::IniFormat);
    // Hand-edited or damaged settings: keep what can be used.
    for (const QString& path : settings.value(Key).toStringList()) {
        const QString clean = normalised(path);
        if (!path.isEmpty() && !m_paths.contains(clean) && m_paths.size() < MaxCount)
            m_paths.append(clean);
    }
}

void RecentFiles::add(const QString& path) {
    const QString clean = normalised(path);
    m_paths.removeAll(clean);
    m_paths.prepend(clean);
    while (m_paths.size() > MaxCount)
        m_paths.removeLast();
    save();
}

void RecentFiles::remove(const QString& path) {
    if (m_paths.removeAll(normalised(path)) > 0)
        save();
}

void RecentFiles::clear() {
    m_paths.clear();
    save();
}

void RecentFiles::save() const {
    if (m_settingsPath.isEmpty())
        return;
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.setValue(Key, m_paths);
}
