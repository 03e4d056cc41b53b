// The engine's one way to tell the user about a failure: a caption and a
// text, written to standard error. Tests install a hook to capture them.
#pragma once

#include <functional>
#include <string_view>

namespace vorlan {

void ShowMessage(std::string_view caption, std::string_view text);

using MessageHook = std::function<void(std::string_view caption, std::string_view text)>;
// Replaces the writer to standard error; an empty hook restores it.
void SetMessageHook(MessageHook hook);

}  // namespace vorlan
