// File names of the settings, taken relative to the working directory.
#pragma once

#include <QString>

namespace vorlan {

// The working directory, "/" and the name; a name that is already a full
// path stands as it is.
QString InWorkingDir(const QString& workingDir, const QString& name);

}  // namespace vorlan
