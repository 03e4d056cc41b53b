// The application's error box: an error raised inside a handler ends that
// handler only; its text is shown in a modal box and the window goes on.
#pragma once

#include <functional>

class QWidget;

namespace vorlan {

// Runs `handler`; a ShellError or any other std::exception it raises is
// shown by ShowErrorBox over `owner`.
void RunHandler(QWidget* owner, const std::function<void()>& handler);

}  // namespace vorlan
