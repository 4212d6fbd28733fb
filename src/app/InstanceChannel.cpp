#include "InstanceChannel.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>

using namespace Qt::StringLiterals;

namespace {

// One request: a JSON object on one line. A path is at most a few thousand
// bytes; anything longer is not a second start of this program.
constexpr qsizetype MaxRequestBytes = 64 * 1024;
const QByteArray Acknowledgement = "ok\n";

} // namespace

InstanceChannel::InstanceChannel(QObject* parent)
    : QObject(parent) {
    // Only this user may connect, wherever the socket lies.
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &InstanceChannel::takeConnection);
}

QString InstanceChannel::socketPathFor(const QString& lockPath) {
    QString path = lockPath;
    if (path.endsWith(u".lock"_s))
        path.chop(5);
    return path + u".socket"_s;
}

bool InstanceChannel::listen(const QStringList& socketPaths) {
    for (const QString& path : socketPaths) {
        QLocalServer::removeServer(path);
        if (m_server.listen(path))
            return true;
    }
    return false;
}

void InstanceChannel::takeConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > MaxRequestBytes)
                    socket->abort();
                return;
            }
            const QJsonObject request =
                QJsonDocument::fromJson(socket->readLine(MaxRequestBytes)).object();
            if (!request.contains(u"file"_s)) {
                socket->abort();
                return;
            }
            socket->write(Acknowledgement);
            socket->disconnectFromServer();
            Q_EMIT fileHandedOver(request.value(u"file"_s).toString());
        });
    }
}

bool InstanceChannel::handOver(const QStringList& socketPaths, const QString& filePath,
                               int timeoutMs) {
    const QByteArray request =
        QJsonDocument(QJsonObject{{u"file"_s, filePath}}).toJson(QJsonDocument::Compact) + '\n';
    for (const QString& path : socketPaths) {
        const QDeadlineTimer deadline(timeoutMs);
        QLocalSocket socket;
        socket.connectToServer(path);
        if (!socket.waitForConnected(int(deadline.remainingTime())))
            continue;
        socket.write(request);
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            continue;
        QByteArray reply;
        while (!reply.contains('\n') && socket.waitForReadyRead(int(deadline.remainingTime())))
            reply += socket.readAll();
        if (reply == Acknowledgement)
            return true;
    }
    return false;
}
