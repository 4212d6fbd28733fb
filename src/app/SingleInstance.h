#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One running editor per program folder, held by a lock file in the temp
// folder for the life of the process. The lock of a crashed run, and an
// empty or garbage lock file, never keep the editor from starting.
class SingleInstance final {
public:
    explicit SingleInstance(const QString& appFolder);

    // True when this process now holds the lock, or when the lock cannot be
    // taken for a reason other than a running editor (then starting is safer
    // than refusing).
    bool acquire();
    bool otherInstanceRunning() const { return m_otherRunning; }

    static QString lockPathFor(const QString& appFolder);

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_otherRunning = false;
};
