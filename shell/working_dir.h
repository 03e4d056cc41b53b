// The process's working directory: every file name of the shell is taken
// relative to it at the moment of use.
#pragma once

#include <QString>

namespace vorlan {

// The working directory with "/" separators.
QString WorkingDir();
// Makes `path` the working directory; false when it cannot be entered.
bool SetWorkingDir(const QString& path);
// `name` inside the working directory (a full path stands as it is).
QString WorkingDirFile(const QString& name);

}  // namespace vorlan
