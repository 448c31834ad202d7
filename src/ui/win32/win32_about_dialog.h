// The About window on the plain Win32 API: the control table's About rows in a modal dialog box
// owned by the main window, centred on the screen at each opening. OK, Enter, Escape and the close
// box close it.
#pragma once

#include "platform/win32_api.h"

namespace ql2 {

// Returns when the dialog has been closed.
void ShowAboutDialog(HINSTANCE instance, HWND owner);

}  // namespace ql2
