#include "files/atomic_file.h"

#include "files/regular_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <random>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace selmarind {

namespace fs = std::filesystem;

namespace {

// Symbolic links followed before the chain counts as a loop (the kernel's
// own limit).
constexpr int kMaxLinks = 40;

// The reason a file cannot be created in `folder`.
std::string CreateReason(const fs::path& folder, int error) {
    switch (error) {
    case ENOENT:
        return "the folder " + QuotedPath(folder) + " does not exist";
    case ENOTDIR:
        return "a part of the path " + QuotedPath(folder) + " is not a folder";
    case EACCES:
    case EPERM:
        return "permission to write in the folder " + QuotedPath(folder) + " is denied";
    default:
        return ErrorReason(error);
    }
}

SaveFailure Failure(int error) {
    return SaveFailure{error, ErrorReason(error)};
}

// Writes all of `bytes`; 0 or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// ".NAME.selmarind-tmp.PID.RANDOM": hidden, saying where it comes from and
// which process writes it. The target's name is shortened so that the
// whole stays within NAME_MAX (255 bytes).
std::string TemporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937_64 random{std::random_device{}() ^
                                        (static_cast<std::uint64_t>(::getpid()) << 32)};
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, "%ld.%016llx", static_cast<long>(::getpid()),
                  static_cast<unsigned long long>(random() + counter.fetch_add(1)));
    // Appended, not prepended to a temporary, which GCC 12 misreads (-Wrestrict).
    std::string name = ".";
    name += std::string_view(target).substr(0, 200);
    name += kTemporaryMarker;
    name += suffix;
    return name;
}

// The process id in a temporary name of this writer; 0 for any other name.
pid_t WriterOf(std::string_view name) {
    if (name.empty() || name.front() != '.') {
        return 0;
    }
    const std::size_t marker = name.rfind(kTemporaryMarker);
    if (marker == std::string_view::npos) {
        return 0;
    }
    const std::string_view rest = name.substr(marker + kTemporaryMarker.size());
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos || dot == 0) {
        return 0;
    }
    long pid = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + dot, pid);
    if (error != std::errc() || end != rest.data() + dot || pid <= 0 || pid > INT_MAX) {
        return 0;
    }
    return static_cast<pid_t>(pid);
}

// Removes the named temporaries of this user in the folder whose writing
// process has ended: left by a save that was killed or lost its power.
void RemoveAbandonedTemporaries(int folder) {
    const int copy = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) {
        return;
    }
    DIR* listing = ::fdopendir(copy);
    if (!listing) {
        ::close(copy);
        return;
    }
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(listing)) {
        const pid_t writer = WriterOf(entry->d_name);
        if (writer == 0 || writer == self) {
            continue;
        }
        if (::kill(writer, 0) == 0 || errno != ESRCH) {
            continue; // still running, or running as another user (EPERM)
        }
        struct stat info {};
        if (::fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == ::geteuid()) {
            ::unlinkat(folder, entry->d_name, 0);
        }
    }
    ::closedir(listing);
}

// The file a save lands in, once every symbolic link is followed.
struct Target {
    FileDescriptor folder; // open on the folder that holds it
    fs::path folderPath;   // that folder as the messages name it
    std::string name;      // its name in that folder
    bool exists = false;
    struct stat info {}; // when it exists (not followed: never a link)
};

// Whether the kernel's protected_symlinks rule lets this user follow the
// link described by `link` that lies in the folder described by `folder`.
bool MayFollow(const struct stat& link, const struct stat& folder) {
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

std::string PlantedLink(const fs::path& folder) {
    return "it is a symbolic link that another user made in the shared folder " +
           QuotedPath(folder) + ", which is not followed";
}

// The links on the way to `folder` itself, followed one component at a
// time as the kernel does, each held to the same rule, so that the rule
// stands where the system does not enforce it. A part that cannot be looked
// at ends the walk: opening the folder then gives the reason.
std::optional<SaveFailure> CheckFolderPath(const fs::path& folder) {
    std::error_code error;
    fs::path resolved = folder.is_absolute() ? fs::path("/") : fs::current_path(error);
    if (error) {
        return std::nullopt;
    }
    const fs::path parts = folder.relative_path();
    std::vector<fs::path> pending(parts.begin(), parts.end());
    std::reverse(pending.begin(), pending.end());
    for (int links = 0; !pending.empty();) {
        const fs::path part = pending.back();
        pending.pop_back();
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            resolved = resolved.parent_path();
            continue;
        }
        const fs::path next = resolved / part;
        struct stat info {};
        if (::lstat(next.c_str(), &info) != 0) {
            return std::nullopt;
        }
        if (!S_ISLNK(info.st_mode)) {
            resolved = next;
            continue;
        }
        struct stat holder {};
        if (++links > kMaxLinks || ::stat(resolved.c_str(), &holder) != 0) {
            return std::nullopt;
        }
        if (!MayFollow(info, holder)) {
            return SaveFailure{EACCES, "a part of its path, " + QuotedPath(next) + ", " +
                                           PlantedLink(resolved).substr(3)};
        }
        char text[PATH_MAX];
        const ssize_t length = ::readlink(next.c_str(), text, sizeof text);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof text) {
            return std::nullopt;
        }
        const fs::path target(std::string(text, static_cast<std::size_t>(length)));
        if (target.is_absolute()) {
            resolved = "/";
        }
        const fs::path relative = target.relative_path();
        std::vector<fs::path> parts(relative.begin(), relative.end());
        pending.insert(pending.end(), parts.rbegin(), parts.rend());
    }
    return std::nullopt;
}

// Follows `path` through its symbolic links, one at a time, refusing a link
// the kernel's protected_symlinks rule would not follow.
std::optional<SaveFailure> Resolve(fs::path current, Target& target) {
    for (int links = 0;; ++links) {
        if (links > kMaxLinks) {
            return Failure(ELOOP);
        }
        if (!current.has_filename()) {
            current = current.parent_path(); // "folder/" names the folder
        }
        target.folderPath = current.has_parent_path() ? current.parent_path() : fs::path(".");
        target.name = current.filename().string();
        if (std::optional<SaveFailure> refused = CheckFolderPath(target.folderPath)) {
            return refused;
        }
        // The kernel follows the links in the folder's own path, with its
        // own rules.
        target.folder =
            FileDescriptor(::open(target.folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!target.folder.valid()) {
            return SaveFailure{errno, CreateReason(target.folderPath, errno)};
        }
        if (::fstatat(target.folder.get(), target.name.c_str(), &target.info,
                      AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT) {
                target.exists = false;
                return std::nullopt;
            }
            return Failure(errno);
        }
        target.exists = true;
        if (!S_ISLNK(target.info.st_mode)) {
            return std::nullopt;
        }
        struct stat folder {};
        if (::fstat(target.folder.get(), &folder) != 0) {
            return Failure(errno);
        }
        if (!MayFollow(target.info, folder)) {
            return SaveFailure{EACCES, PlantedLink(target.folderPath)};
        }
        char text[PATH_MAX];
        const ssize_t length =
            ::readlinkat(target.folder.get(), target.name.c_str(), text, sizeof text);
        if (length < 0) {
            return Failure(errno);
        }
        if (static_cast<std::size_t>(length) >= sizeof text) {
            return Failure(ENAMETOOLONG);
        }
        const fs::path next(std::string(text, static_cast<std::size_t>(length)));
        current = next.is_absolute() ? next : target.folderPath / next;
    }
}

// Whether a descriptor can be named through /proc/self/fd for linkat.
bool ProcessFdsVisible() {
    static const bool visible = ::access("/proc/self/fd", X_OK) == 0;
    return visible;
}

} // namespace

std::optional<SaveFailure> ReplaceFileAtomically(const fs::path& path, std::string_view bytes,
                                                 const SaveOptions& options) {
    if (path.empty() || !path.has_filename()) {
        return SaveFailure{0, "no file name is given"};
    }
    Target target;
    if (std::optional<SaveFailure> refused = Resolve(path, target)) {
        return refused;
    }
    if (target.exists && S_ISDIR(target.info.st_mode)) {
        return SaveFailure{EISDIR, "it is a folder"};
    }
    if (target.exists && !S_ISREG(target.info.st_mode)) {
        return SaveFailure{0, "it is " + FileKindName(target.info.st_mode) + ", not a file"};
    }
    const int folder = target.folder.get();
    RemoveAbandonedTemporaries(folder);

    FileDescriptor file;
    // The name the new file has in the folder while it is not yet the
    // target; empty while it has none.
    std::string named;
    const auto fail = [&](int error, std::string reason) {
        file.close();
        if (!named.empty()) {
            ::unlinkat(folder, named.c_str(), 0);
        }
        return SaveFailure{error, std::move(reason)};
    };

    // 0666: the umask takes away what it always takes from new files.
    bool anonymous = false;
    if (options.anonymousTemporary && ProcessFdsVisible()) {
        file = FileDescriptor(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
        anonymous = file.valid();
    }
    for (int attempt = 0; !file.valid() && attempt < 16; ++attempt) {
        const std::string name = TemporaryName(target.name);
        file = FileDescriptor(::openat(folder, name.c_str(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (file.valid()) {
            named = name;
        } else if (errno != EEXIST && errno != EINTR) {
            return SaveFailure{errno, CreateReason(target.folderPath, errno)};
        }
    }
    if (!file.valid()) {
        return SaveFailure{EEXIST, "no unused name for a temporary file was found in " +
                                       QuotedPath(target.folderPath)};
    }

    if (target.exists) {
        // The owner first: a change of owner clears the set-id bits.
        const struct stat& old = target.info;
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            if (::fchown(file.get(), old.st_uid, old.st_gid) != 0 && errno == EPERM) {
                // Not root: at least the group, where this user belongs to it.
                const int groupOnly = ::fchown(file.get(), static_cast<uid_t>(-1), old.st_gid);
                static_cast<void>(groupOnly);
            }
        }
        // Best effort: the bytes matter more than the permission bits.
        const int mode = ::fchmod(file.get(), old.st_mode & 07777);
        static_cast<void>(mode);
    }
    if (const int error = WriteAll(file.get(), bytes)) {
        return fail(error, ErrorReason(error));
    }
    if (::fsync(file.get()) != 0) {
        return fail(errno, ErrorReason(errno));
    }

    if (anonymous) {
        const std::string self = "/proc/self/fd/" + std::to_string(file.get());
        bool linked = false;
        // A new file gets its name at once, so that nothing is ever left.
        if (!target.exists) {
            linked = ::linkat(AT_FDCWD, self.c_str(), folder, target.name.c_str(),
                              AT_SYMLINK_FOLLOW) == 0;
            if (!linked && errno != EEXIST) {
                return fail(errno, ErrorReason(errno));
            }
        }
        // rename() replaces; linkat() does not: a name first, for an instant.
        for (int attempt = 0; !linked && named.empty() && attempt < 16; ++attempt) {
            const std::string name = TemporaryName(target.name);
            if (::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                named = name;
            } else if (errno != EEXIST) {
                return fail(errno, ErrorReason(errno));
            }
        }
        if (!linked && named.empty()) {
            return fail(EEXIST, "no unused name for a temporary file was found in " +
                                    QuotedPath(target.folderPath));
        }
        // Flushed already: a late error at close changes nothing on the disk.
        file.close();
    } else if (const int error = file.close()) {
        return fail(error, ErrorReason(error));
    }
    if (!named.empty()) {
        if (::renameat(folder, named.c_str(), folder, target.name.c_str()) != 0) {
            return fail(errno, ErrorReason(errno));
        }
        named.clear();
    }
    // The folder's entry is on the disk once the folder is flushed. Where a
    // file system cannot flush a folder, the rename stands all the same.
    ::fsync(folder);
    return std::nullopt;
}

std::optional<std::string> WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    if (std::optional<SaveFailure> failure = ReplaceFileAtomically(path, bytes)) {
        return "The file " + QuotedPath(path) + " cannot be saved: " + failure->reason + ".";
    }
    return std::nullopt;
}

} // namespace selmarind
