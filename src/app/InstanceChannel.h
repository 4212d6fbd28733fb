#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

// How a second start reaches the editor that already runs for the same
// program folder: the running editor listens on a local socket beside its
// lock file, in the user's own folder; a second start connects, sends the
// file it was given (or none), and waits for the word that it arrived.
class InstanceChannel final : public QObject {
    Q_OBJECT

public:
    explicit InstanceChannel(QObject* parent = nullptr);

    // The socket that goes with a lock file.
    static QString socketPathFor(const QString& lockPath);

    // Listens on the first of the sockets that can be made. The editor holds
    // the lock, so a socket left there by a crashed run is its own to remove.
    bool listen(const QStringList& socketPaths);
    QString listeningPath() const { return m_server.fullServerName(); }

    // From a second start: hands filePath (absolute; empty for none) to the
    // editor listening on one of the sockets. False when none took it.
    static bool handOver(const QStringList& socketPaths, const QString& filePath,
                         int timeoutMs = 3000);

Q_SIGNALS:
    // The running editor should come to the front and open filePath, if any.
    void fileHandedOver(const QString& filePath);

private:
    void takeConnection();

    QLocalServer m_server;
};
