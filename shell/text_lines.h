// Text files as lists of lines: written in UTF-8 with CR LF after every
// line; read with each line in UTF-8 or Windows-1251, whichever it holds
// (logic/text_encoding.h; a byte-order mark skipped), with CR LF, LF or CR
// as line break. Failures raise a ShellError.
#pragma once

#include <QString>
#include <QStringList>

namespace vorlan {

// Creates or replaces the file; 'Cannot create file "name"' when it cannot.
void SaveLines(const QString& path, const QStringList& lines);
// 'Cannot open file "name"' when the file cannot be read.
QStringList LoadLines(const QString& path);

}  // namespace vorlan
