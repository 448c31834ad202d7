// The About window on the plain Win32 API: the control table's About rows in a modal dialog box
// owned by the main window, centred on the screen at each opening. OK, Enter, Escape and the close
// box close it; its User manual button and F1 call open_manual.
#pragma once

#include <functional>

#include "platform/win32_api.h"

namespace ql2 {

// Returns when the dialog has been closed.
void ShowAboutDialog(HINSTANCE instance, HWND owner, std::function<void()> open_manual);

}  // namespace ql2
