// What both Win32 windows share: twips to pixels at a window's dpi, the fonts, the pictures,
// centring on the screen, and thin operations on controls named after what they do.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/controls.h"
#include "app/window_layout.h"
#include "platform/win32_api.h"

namespace ql2 {

// Makes the process draw at each monitor's own dpi on systems that know the function (Windows 10
// 1703 on); the manifest already asks the same of systems that read it, and older ones ignore it.
void BecomeDpiAware();
// The dpi the window is drawn at: its monitor's where the system tells it, else the system's.
int DpiOf(HWND window);

// Sent when a window has moved to a monitor of another dpi (not in every <winuser.h>).
inline constexpr UINT kDpiChangedMessage = 0x02E0;
// Answers kDpiChangedMessage with its w and l: lays the window out for the new dpi, then moves it
// to the place the system suggests, keeping the size the layout gave it.
void FollowDpiChange(HWND window, WPARAM w, LPARAM l, const std::function<void(int dpi)>& layout);

int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);
// A control's place in its window's client area: a group's controls lie inside it.
RECT ControlRect(const ControlSpec& design, int dpi);
// A place of a layout in the client area, at the dpi; edges as ControlRect converts them.
RECT PlaceRect(const MainWindowLayout& layout, ControlId id, int dpi);
// Gives the window the client size the table names for it, keeping its place.
void SetClientSize(HWND window, const WindowSpec& design, int dpi);
// Gives the window a client area of this size in pixels, with the frame drawn at frame_dpi.
void SetClientPixels(HWND window, int width, int height, int frame_dpi);
// The frame's width and height around a client area, at the dpi.
SIZE FrameSize(HWND window, int dpi);
// The available area of the window's monitor: the screen less the task bar.
RECT WorkArea(HWND window);
// Moves a top-level window to the middle of its monitor's available area by CenterOnScreen's rule,
// with the area's and the window's outer sizes taken in twips.
void CentreOnScreen(HWND window);
// Moves a top-level window as little as needed to lie within its monitor's available area.
void KeepOnScreen(HWND window);

// The windows' fonts, about 8 points at the dpi: the default GUI font for texts and buttons, the
// system's message font in bold for group captions. The caller deletes them (DeleteObject).
HFONT MakeTextFont(int dpi);
HFONT MakeCaptionFont(int dpi);

// The resource number of a picture's bitmap, 0 for Picture::kNone; the banner has its own.
int PictureResource(Picture picture);
// A bitmap resource at the dpi (the pictures are drawn for 96); nullptr when it cannot be loaded.
// The caller deletes it.
HBITMAP LoadPicture(HINSTANCE instance, int resource, int dpi);

// The control of the table row, made as a child of the window (hidden until shown), with the
// row's id as its control id. A button's caption carries its access key's mark. A picture of the
// About window shows no bitmap until SetPicture; a picture of the main window is drawn by its
// window (WM_DRAWITEM) and carries its words as its text, which screen readers read as its name.
HWND CreateControl(HWND window, const ControlSpec& design, HINSTANCE instance);

// Runs a modal dialog that has no controls and no size when it opens (the caption, the close box
// and a modal frame): its procedure builds it in pixels on WM_INITDIALOG, with `param`. Returns
// what EndDialog was given.
INT_PTR RunEmptyDialog(HINSTANCE instance, HWND owner, DLGPROC procedure, LPARAM param);

// Restacks a window's controls, first in the list on top. Stacking is also the Tab order.
void StackTopDown(const std::vector<HWND>& controls);

// Thin operations on a control.
void SetVisible(HWND control, bool visible);
void SetEnabled(HWND control, bool enabled);
void SetText(HWND control, std::string_view text);
void SetFont(HWND control, HFONT font);
void SetPicture(HWND control, HBITMAP bitmap);
void MoveTo(HWND control, const RECT& rect);
// The height text needs when it wraps within the width, in the control's font, or in the font.
int WrappedTextHeight(HWND control, std::string_view text, int width);
int WrappedTextHeight(HFONT font, std::string_view text, int width);

}  // namespace ql2
