// One running copy of the program per user: a lock file in the user's
// runtime folder. A lock left behind by a copy that crashed is recognised by
// its process id and taken over.
#pragma once

#include <QLockFile>
#include <QString>

namespace selmarind {

class SingleInstanceLock {
public:
    // `lockPath` is the lock file; by default DefaultLockPath().
    explicit SingleInstanceLock(const QString& lockPath = DefaultLockPath());

    // Takes the lock; false when another running copy holds it.
    bool tryAcquire();

    // The lock file of the current user.
    static QString DefaultLockPath();

private:
    QLockFile lock_;
};

} // namespace selmarind
