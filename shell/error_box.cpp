#include "error_box.h"

#include "message_box.h"
#include "shell_error.h"

#include <exception>

namespace vorlan {

void RunHandler(QWidget* owner, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const ShellError& error) {
        ShowErrorBox(owner, error.text());
    } catch (const std::exception& error) {
        ShowErrorBox(owner, QString::fromLocal8Bit(error.what()));
    }
}

}  // namespace vorlan
