// A modal dialog in which the user picks one item of a list: a text above the list, OK (the
// default) and Cancel. The first item is selected at the start; a double click on an item picks it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32_api.h"

namespace ql2 {

// The dialog's list, for tests that drive it.
inline constexpr int kListDialogListId = 102;

// The index of the item picked, or -1 when the user cancels.
int ChooseFromListDialog(HINSTANCE instance, HWND owner, std::string_view title,
                         std::string_view text, const std::vector<std::string>& items);

}  // namespace ql2
