// Errors that end a handler of the shell and are shown in the application's
// error box (see error_box.h).
#pragma once

#include <QString>

#include <exception>

namespace vorlan {

class ShellError : public std::exception {
public:
    explicit ShellError(QString text) : text_(std::move(text)), bytes_(text_.toUtf8()) {}
    const QString& text() const { return text_; }
    const char* what() const noexcept override { return bytes_.constData(); }

private:
    QString text_;
    QByteArray bytes_;
};

}  // namespace vorlan
