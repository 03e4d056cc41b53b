#include "messages.h"

#include <cstdio>

namespace vorlan {

namespace {
MessageHook& Hook() {
    static MessageHook hook;
    return hook;
}
}  // namespace

void ShowMessage(std::string_view caption, std::string_view text) {
    if (Hook()) {
        Hook()(caption, text);
        return;
    }
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
}

void SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

}  // namespace vorlan
