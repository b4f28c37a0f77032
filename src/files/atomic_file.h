// Replacing a file with new bytes so that a reader, a crash or a killed
// process sees the old file or the whole new one, never a part, and so that
// a save never goes where the system itself would not let it go.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace selmarind {

// Every temporary name the writer gives holds this marker, followed by the
// writing process's id and a random part: ".NAME.selmarind-tmp.PID.RANDOM".
inline constexpr std::string_view kTemporaryMarker = ".selmarind-tmp.";

struct SaveFailure {
    int error = 0; // the errno behind it; 0 where the refusal is the writer's own
    // Why, without the file's name, no final stop: "the disk is full",
    // "the folder "F" does not exist", "it is a named pipe (FIFO), not a
    // file", ...
    std::string reason;
};

struct SaveOptions {
    // A temporary without a name (O_TMPFILE), given its name only once it is
    // whole, where the file system allows it. Off, the temporary is named
    // from the start, as on file systems without O_TMPFILE.
    bool anonymousTemporary = true;
};

// Replaces the file at `path` with `bytes`, or leaves it exactly as it was.
//
// The bytes go to a new file in the target's folder, flushed to the disk
// (fsync) and then renamed over the target; the folder is flushed after.
// The temporary has no name while it is written where the file system
// allows (O_TMPFILE), so a process killed while saving leaves nothing;
// otherwise it is named with kTemporaryMarker, and every save removes such
// files of this user in its folder whose process no longer runs.
//
// A symbolic link at the path is followed, and the link stays, unless the
// system's own rule (fs.protected_symlinks) would refuse to follow it: in a
// sticky folder that everybody may write (/tmp), a link owned neither by
// this user (effective uid) nor by the folder's owner is refused. The rule
// applies to every link on the way, in the folders of the path and in a
// chain of links alike, whether or not the system enforces it.
//
// A replaced file keeps its permission bits, and its owner and group where
// the process may set them (root may; others keep their own). A new file
// gets 0666 less the umask. Only regular files are replaced: a folder, a
// device (/dev/full), a FIFO or a socket is refused untouched.
std::optional<SaveFailure> ReplaceFileAtomically(const std::filesystem::path& path,
                                                 std::string_view bytes,
                                                 const SaveOptions& options = {});

// ReplaceFileAtomically with the tool's message: nothing when the file was
// written, else "The file "PATH" cannot be saved: REASON."
std::optional<std::string> WriteFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes);

} // namespace selmarind
