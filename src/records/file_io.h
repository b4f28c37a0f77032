// Reading and replacing small files with reasons a user can act on. The
// windows save through QSaveFile; the command-line tool through
// WriteFileAtomically, which gives the same guarantee without Qt.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace selmarind {

struct FileBytes {
    std::optional<std::string> bytes; // set when the file was read
    bool truncated = false;           // the file holds more than maxBytes
    std::string message;              // why it could not be read, when it could not
};

// The file's first maxBytes bytes and whether more follow. A folder, a
// missing file and a failed read give a message naming the file.
FileBytes ReadFileAtMost(const std::filesystem::path& path, std::size_t maxBytes);

// Replaces the file at `path` with `text`, or leaves it exactly as it was.
// The text goes to a new file in the same folder, which is flushed to the
// disk (fsync) and then renamed over the path, so a reader sees either the
// old or the whole new file, never a part, even after a crash. On any
// failure the new file is removed and the reason returned: the folder does
// not exist, permission denied, the disk is full, the disk is read-only,
// the path is a folder or a device. Nothing when the file was written.
//
// A path that is a symbolic link replaces the file the link points to and
// keeps the link. A replaced file keeps its permission bits; a new one gets
// the usual 0666 less the umask. Only regular files are replaced: a device
// (/dev/full), a pipe or a socket at the path is refused untouched.
std::optional<std::string> WriteFileAtomically(const std::filesystem::path& path,
                                               std::string_view text);

} // namespace selmarind
