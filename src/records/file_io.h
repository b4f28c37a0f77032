// The record files are read and replaced through the files layer: the
// reader refuses anything that is not a regular file without waiting on it,
// and the writer replaces a file atomically (see files/atomic_file.h).
#pragma once

#include "files/atomic_file.h"
#include "files/regular_file.h"
