#include "ui/app/single_instance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace selmarind {

namespace {

// The running copy's answer once it has read a request whole.
constexpr char kAnswer[] = "ok\n";
// A request larger than this is no command line: the connection is dropped.
constexpr qint64 kMaxRequestBytes = 1 << 20;

} // namespace

SingleInstanceLock::SingleInstanceLock(const QString& lockPath) : lock_(lockPath) {
    // The lock lives as long as the program runs, so its age says nothing:
    // only a holder that no longer runs makes it stale.
    lock_.setStaleLockTime(0);
}

bool SingleInstanceLock::tryAcquire() {
    return lock_.isLocked() || lock_.tryLock(0);
}

QString SingleInstanceLock::DefaultLockPath() {
    // The runtime folder belongs to the user; the temporary folder, where
    // there is none, may be shared, so the user's name goes into the file name.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString name = QStringLiteral("selmarind.lock");
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
        QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
        name = QStringLiteral("selmarind-%1.lock").arg(user);
    }
    QDir().mkpath(folder);
    return QDir(folder).filePath(name);
}

QString SingleInstanceLock::SocketPathFor(const QString& lockPath) {
    return lockPath + QStringLiteral(".socket");
}

InstanceChannel::InstanceChannel(QObject* parent) : QObject(parent) {}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::listen(const QString& socketPath) {
    delete server_;
    server_ = new QLocalServer(this);
    // Only this user may connect.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // The caller holds the lock, so a socket file there is a dead copy's.
    QLocalServer::removeServer(socketPath);
    if (!server_->listen(socketPath)) {
        return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->bytesAvailable() > kMaxRequestBytes) {
                    socket->abort();
                    return;
                }
                QDataStream in(socket);
                in.setVersion(QDataStream::Qt_6_0);
                in.startTransaction();
                QStringList files;
                in >> files;
                if (!in.commitTransaction()) {
                    return; // the rest of the request is still on its way
                }
                socket->write(kAnswer);
                socket->flush();
                emit filesReceived(files);
            });
        }
    });
    return true;
}

bool InstanceChannel::SendToRunning(const QString& socketPath, const QStringList& arguments,
                                    int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    QByteArray request;
    QDataStream out(&request, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << arguments;
    socket.write(request);
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            return false;
        }
        answer += socket.readAll();
    }
    return answer == kAnswer;
}

} // namespace selmarind
