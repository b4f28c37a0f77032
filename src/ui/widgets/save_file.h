// Replacing a file with new bytes from the windows, so that the user is told
// the truth: the bytes are all on the disk, or the old file is untouched and
// the message says why.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace selmarind {

// Replaces the file at `path` with `bytes` through the atomic writer of the
// files layer (ReplaceFileAtomically): a reader sees the old file or the
// whole new one, a link another user planted in a shared folder is not
// followed, a replaced file keeps its mode (and its owner where the process
// may keep it), and a folder, device, FIFO or socket is refused untouched.
// Returns nothing when the file was written, or the window's message:
// "The file "PATH" could not be saved: REASON."
std::optional<QString> SaveFileReplacing(const QString& path, const QByteArray& bytes);

} // namespace selmarind
