// Sizes the main window keeps to.
#pragma once

namespace vorlan {

inline constexpr int kMainMinimumWidth = 592;

// A requested width of 592 or less becomes 592.
constexpr int AllowedMainWidth(int requested) {
    return requested <= kMainMinimumWidth ? kMainMinimumWidth : requested;
}

// Page "Передаточная функция": both memos get half of what the two labels
// and the bottom panel leave of the page (truncated toward zero).
constexpr int TransferMemoHeight(int pageHeight, int denominatorLabel, int numeratorLabel,
                                 int bottomPanel) {
    return (pageHeight - denominatorLabel - numeratorLabel - bottomPanel) / 2;
}

}  // namespace vorlan
