#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// One running editor per program folder, held by lock files in the user's own
// places for the life of the process: the runtime folder (XDG_RUNTIME_DIR)
// and the per-user data folder, never a folder other users can write to. The
// lock is taken in every place that can hold one, so copies started with
// different environments (one without a runtime folder) still see each
// other, and a place that cannot hold a lock (something else in the way, a
// folder that cannot be made) is passed over for the next. The lock of a
// crashed run, and an empty or garbage lock file, never keep the editor from
// starting.
class SingleInstance final {
public:
    explicit SingleInstance(const QString& appFolder);

    // True when this process may start: it holds the lock, or no place at all
    // could hold one (see locked()). False when another editor runs.
    bool acquire();
    bool otherInstanceRunning() const { return m_otherRunning; }
    // False after a successful acquire() when no place could hold a lock.
    bool locked() const { return !m_locks.empty(); }
    // The lock files this process holds, most preferred place first.
    QStringList heldLockPaths() const;

    // Where the lock of appFolder lives, most preferred place first; a place
    // the environment does not name is left out.
    static QStringList lockPathsFor(const QString& appFolder);

private:
    enum class Outcome { Locked, HeldByOther, Unusable };
    static Outcome lockInPlace(QLockFile& lock);

    QString m_appFolder;
    std::vector<std::unique_ptr<QLockFile>> m_locks;
    bool m_otherRunning = false;
};
