#include "file_names.h"

#include <algorithm>

namespace vorlan {

QString InWorkingDir(const QString& workingDir, const QString& name) {
    if (name.startsWith(u'/')) return name;
    if (workingDir.endsWith(u'/')) return workingDir + name;
    return workingDir + u'/' + name;
}

QString StoredFileName(const QString& chosen, const QString& workingDir) {
    // Only the directory itself at the start of the name makes it relative:
    // "/work" neither shortens "/work2/a" nor "/home/work/a".
    const QString prefix = workingDir.endsWith(u'/') ? workingDir : workingDir + u'/';
    if (chosen.size() > prefix.size() && chosen.startsWith(prefix, Qt::CaseInsensitive)) {
        return chosen.mid(prefix.size());
    }
    return chosen;
}

QString ResultsFolder(const QString& resultFile) {
    const qsizetype last = std::max(resultFile.lastIndexOf(u'/'), resultFile.lastIndexOf(u'\\'));
    if (last < 0) return {};
    if (last == 0) return QStringLiteral("/");
    QString folder = resultFile.left(last);
    folder.replace(u'\\', u'/');
    return folder;
}

}  // namespace vorlan
