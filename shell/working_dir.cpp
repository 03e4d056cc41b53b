#include "working_dir.h"

#include "logic/file_names.h"

#include <QDir>

namespace vorlan {

QString WorkingDir() {
    return QDir::currentPath();
}

bool SetWorkingDir(const QString& path) {
    return QDir::setCurrent(path);
}

QString WorkingDirFile(const QString& name) {
    return InWorkingDir(WorkingDir(), name);
}

}  // namespace vorlan
