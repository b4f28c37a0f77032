// One running copy of the program per user: a lock file in the user's
// runtime folder. A lock left behind by a copy that crashed is recognised by
// its process id and taken over. Beside the lock, the running copy listens
// on a local socket; a second start hands it its command line, and the
// running copy brings its window forward.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace selmarind {

class SingleInstanceLock {
public:
    // `lockPath` is the lock file; by default DefaultLockPath().
    explicit SingleInstanceLock(const QString& lockPath = DefaultLockPath());

    // Takes the lock; false when another running copy holds it.
    bool tryAcquire();

    // The lock file of the current user.
    static QString DefaultLockPath();

    // The socket the holder of `lockPath` listens on, beside the lock.
    static QString SocketPathFor(const QString& lockPath);

private:
    QLockFile lock_;
};

// The running copy's end of the socket.
class InstanceChannel : public QObject {
    Q_OBJECT

public:
    explicit InstanceChannel(QObject* parent = nullptr);
    ~InstanceChannel() override;

    // Listens on `socketPath`, replacing a socket file left by a copy that
    // crashed (only the lock's holder calls this). False when it cannot.
    bool listen(const QString& socketPath);

    // The second start's end: hands `arguments` (the command line after the
    // program name) to the copy listening on `socketPath` and waits up to
    // `timeoutMs` for its answer. False when no copy answers.
    static bool SendToRunning(const QString& socketPath, const QStringList& arguments,
                              int timeoutMs = 3000);

signals:
    // A second start asked for the window; `files` are the arguments after
    // its program name, possibly none.
    void filesReceived(const QStringList& files);

private:
    QLocalServer* server_ = nullptr;
};

} // namespace selmarind
