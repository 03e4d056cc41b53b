#include "file_names.h"

namespace vorlan {

QString InWorkingDir(const QString& workingDir, const QString& name) {
    if (name.startsWith(u'/')) return name;
    if (workingDir.endsWith(u'/')) return workingDir + name;
    return workingDir + u'/' + name;
}

}  // namespace vorlan
