// Replacing a file with new bytes from the windows, so that the user is told
// the truth: the bytes are all on the disk, or the old file is untouched and
// the message says why.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace selmarind {

// Writes `bytes` to a new file beside `path` and renames it over `path`
// (QSaveFile), so that a reader sees the old file or the whole new one.
// Returns nothing when the file was written, or a message for the user
// naming the file and the reason: the folder does not exist, permission
// denied, the disk is full, the path is a folder. A path that exists and is
// not a regular file (a device such as /dev/full, a pipe, a socket) is
// refused untouched: renaming over it would replace the device with a file.
std::optional<QString> SaveFileReplacing(const QString& path, const QByteArray& bytes);

} // namespace selmarind
