#include "ui/app/single_instance.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

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
    const QString name = QStringLiteral("selmarind-%1.lock").arg(DisplayKey());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime)) {
        return QDir(runtime).filePath(name);
    }
    // The temporary folder may be shared: the folder is the user's own and
    // is checked after it is made, so a folder another user made first under
    // that name is never used.
    const QString folder =
        QDir(QDir::tempPath()).filePath(QStringLiteral("selmarind-%1").arg(::geteuid()));
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST) {
        return {};
    }
    if (!IsPrivateFolder(folder)) {
        return {};
    }
    return QDir(folder).filePath(name);
}

QString SingleInstanceLock::DisplayKey() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qEnvironmentVariable("DISPLAY");
    }
    if (display.isEmpty()) {
        return QStringLiteral("none");
    }
    QString key;
    for (const QChar c : display) {
        const bool kept = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                          (c >= u'0' && c <= u'9') || c == u'.' || c == u'-';
        key += kept ? c : u'_';
    }
    // A socket's path is at most 107 bytes long.
    constexpr qsizetype kMaxKey = 48;
    if (key.size() > kMaxKey) {
        const QByteArray whole = display.toUtf8();
        key = key.left(kMaxKey - 9) + u'_' +
              QString::number(qChecksum(QByteArrayView(whole)), 16).rightJustified(8, u'0');
    }
    return key;
}

bool SingleInstanceLock::IsPrivateFolder(const QString& folder) {
    struct stat info {};
    return ::lstat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

bool SingleInstanceLock::IsOwnFile(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISLNK(info.st_mode) &&
           info.st_uid == ::geteuid();
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
