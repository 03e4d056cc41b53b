#include "text_lines.h"

#include "logic/text_encoding.h"
#include "shell_error.h"

#include <QFile>
#include <QSaveFile>

namespace vorlan {

void SaveLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw ShellError(QStringLiteral("Cannot create file \"%1\"").arg(path));
    }
}

QStringList LoadLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ShellError(QStringLiteral("Cannot open file \"%1\"").arg(path));
    }
    QString text = DecodeFile(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (text.isEmpty() || text.endsWith(u'\n')) lines.removeLast();
    return lines;
}

}  // namespace vorlan
