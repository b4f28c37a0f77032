// Where the program's data files are: <folder of the executable>/../share/selmarind,
// both in an installed tree (any prefix) and in the build tree.
#pragma once

#include <QString>

namespace selmarind {

// The data folder, an absolute path (it need not exist).
QString DataFolder();

// The absolute path of a data file by its name within the data folder.
QString DataFilePath(const QString& name);

} // namespace selmarind
