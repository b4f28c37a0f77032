// One running copy of the program per user and desktop session: a lock file
// in a folder only the user can write (the runtime folder, or a private
// folder of the user's own in the temporary folder), named after the
// display. A lock left behind by a copy that crashed is recognised by its
// process id and taken over. Beside the lock, the running copy listens on a
// local socket; a second start hands it its command line, and the running
// copy brings its window forward. Where no private folder can be had, every
// start runs on its own: nothing goes through a path another user could
// have made first.
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

    // The lock file of the current user on the current display: in
    // $XDG_RUNTIME_DIR when it is a folder of the user's (not a link, owned
    // by the effective uid, mode 0700), else in the folder
    // "<temp>/selmarind-<uid>", made 0700 and checked the same way. Empty
    // when neither is usable: then the program runs without single instance.
    static QString DefaultLockPath();

    // The display part of the lock's name, from $WAYLAND_DISPLAY or else
    // $DISPLAY: letters, digits, '.', '-' kept, anything else '_', at most
    // 48 characters (a longer one is shortened with a checksum); "none"
    // without a display.
    static QString DisplayKey();

    // Whether `folder` is private to this user: a real folder (not a link),
    // owned by the effective uid, with no permission for group or others.
    static bool IsPrivateFolder(const QString& folder);

    // Whether the file at `path` is this user's (owned by the effective uid,
    // not a link): a lock or socket made by another user is never trusted.
    static bool IsOwnFile(const QString& path);

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
