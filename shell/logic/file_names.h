// File names of the settings, taken relative to the working directory.
#pragma once

#include <QString>

namespace vorlan {

// The working directory, "/" and the name; a name that is already a full
// path stands as it is.
QString InWorkingDir(const QString& workingDir, const QString& name);

// How a chosen file is stored: a file inside the working directory relative
// to it, any other with its full path. The directory is compared without
// regard to case.
QString StoredFileName(const QString& chosen, const QString& workingDir);

// The folder that holds the result file: its name up to the last "/" or
// "\" (both count as separators), written with "/"; empty for a name
// without a folder.
QString ResultsFolder(const QString& resultFile);

}  // namespace vorlan
