#include "ui/win32/win32_layout.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "app/keyboard.h"
#include "ui/win32/resource.h"

namespace ql2 {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kPointsPerInch = 72;
// The pictures are drawn for the dpi the windows were laid out at.
constexpr int kPictureDpi = kTwipsPerInch / kTwipsPerPixelAt96Dpi;
// The windows' texts are about the size of the 8.25-point "MS Sans Serif" they were drawn with.
constexpr int kFontPoints = 8;

// Absent before Windows 10 1703; a value, not a handle, in every system that knows it.
const DPI_AWARENESS_CONTEXT kPerMonitorAwareV2 =
    reinterpret_cast<DPI_AWARENESS_CONTEXT>(static_cast<INT_PTR>(-4));

LOGFONTA DefaultGuiFont() {
  LOGFONTA font{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  return font;
}

HFONT MakeFont(LOGFONTA font, int dpi, LONG weight) {
  font.lfHeight = -MulDiv(kFontPoints, dpi, kPointsPerInch);
  font.lfWidth = 0;
  font.lfWeight = weight;
  return CreateFontIndirectA(&font);
}

}  // namespace

void BecomeDpiAware() {
  using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  if (auto set = SystemFunction<SetContext>("user32.dll", "SetProcessDpiAwarenessContext")) {
    // Fails when the manifest has already set it, which is as good.
    set(kPerMonitorAwareV2);
  }
}

int DpiOf(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi =
      SystemFunction<GetDpiForWindowFunction>("user32.dll", "GetDpiForWindow");
  if (get_dpi != nullptr && window != nullptr) {
    if (UINT dpi = get_dpi(window)) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kPictureDpi;
}

void FollowDpiChange(HWND window, WPARAM w, LPARAM l, const std::function<void(int dpi)>& layout) {
  const auto* suggested = reinterpret_cast<const RECT*>(l);
  layout(HIWORD(w));
  SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TwipsToPixels(int twips, int dpi) {
  return MulDiv(twips, dpi, kTwipsPerInch);
}

int PixelsToTwips(int pixels, int dpi) {
  return MulDiv(pixels, kTwipsPerInch, dpi);
}

RECT ControlRect(const ControlSpec& design, int dpi) {
  int left = design.left;
  int top = design.top;
  if (design.parent != ControlId::kNone) {
    const ControlSpec& group = FindControl(design.parent);
    left += group.left;
    top += group.top;
  }
  // Each edge is converted on its own, so that neighbours that touch in twips touch in pixels.
  return RECT{TwipsToPixels(left, dpi), TwipsToPixels(top, dpi),
              TwipsToPixels(left + design.width, dpi), TwipsToPixels(top + design.height, dpi)};
}

RECT PlaceRect(const MainWindowLayout& layout, ControlId id, int dpi) {
  const TwipsRect place = layout.ClientPlace(id);
  return RECT{TwipsToPixels(place.left, dpi), TwipsToPixels(place.top, dpi),
              TwipsToPixels(place.right(), dpi), TwipsToPixels(place.bottom(), dpi)};
}

namespace {

// The outer rectangle of a client area of this size, at the dpi.
RECT OuterRect(HWND window, int width, int height, int dpi) {
  using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi =
      SystemFunction<AdjustForDpi>("user32.dll", "AdjustWindowRectExForDpi");
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  const DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
  RECT outer{0, 0, width, height};
  if (adjust_for_dpi != nullptr) {
    adjust_for_dpi(&outer, style, FALSE, ex_style, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&outer, style, FALSE, ex_style);
  }
  return outer;
}

}  // namespace

void SetClientSize(HWND window, const WindowSpec& design, int dpi) {
  SetClientPixels(window, TwipsToPixels(design.client_width, dpi),
                  TwipsToPixels(design.client_height, dpi), dpi);
}

void SetClientPixels(HWND window, int width, int height, int frame_dpi) {
  const RECT outer = OuterRect(window, width, height, frame_dpi);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE FrameSize(HWND window, int dpi) {
  const RECT outer = OuterRect(window, 0, 0, dpi);
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

RECT WorkArea(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return monitor.rcWork;
  }
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

void CentreOnScreen(HWND window) {
  const int dpi = DpiOf(window);
  const RECT area = WorkArea(window);
  RECT outer;
  GetWindowRect(window, &outer);
  const Position position = CenterOnScreen(
      PixelsToTwips(area.right - area.left, dpi), PixelsToTwips(area.bottom - area.top, dpi),
      PixelsToTwips(outer.right - outer.left, dpi), PixelsToTwips(outer.bottom - outer.top, dpi));
  SetWindowPos(window, nullptr, area.left + TwipsToPixels(position.left, dpi),
               area.top + TwipsToPixels(position.top, dpi), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void KeepOnScreen(HWND window) {
  const RECT area = WorkArea(window);
  RECT outer;
  GetWindowRect(window, &outer);
  // The top left corner wins: the title bar stays in reach.
  const LONG left =
      std::max(area.left, std::min(outer.left, area.right - (outer.right - outer.left)));
  const LONG top =
      std::max(area.top, std::min(outer.top, area.bottom - (outer.bottom - outer.top)));
  if (left != outer.left || top != outer.top) {
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HFONT MakeTextFont(int dpi) {
  return MakeFont(DefaultGuiFont(), dpi, FW_NORMAL);
}

HFONT MakeCaptionFont(int dpi) {
  // The size Windows XP knows, which every later system accepts too.
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
  LOGFONTA font = DefaultGuiFont();
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    font = metrics.lfMessageFont;
  }
  return MakeFont(font, dpi, FW_BOLD);
}

int PictureResource(Picture picture) {
  switch (picture) {
    case Picture::kAboutButton:
      return QL2_BITMAP_ABOUT_BUTTON;
    case Picture::kNotInstalled:
      return QL2_BITMAP_NOT_INSTALLED;
    case Picture::kInstalled:
      return QL2_BITMAP_INSTALLED;
    case Picture::kEdited:
      return QL2_BITMAP_EDITED;
    case Picture::kAboutPicture:
      return QL2_BITMAP_ABOUT_PICTURE;
    case Picture::kNone:
      break;
  }
  return 0;
}

HBITMAP LoadPicture(HINSTANCE instance, int resource, int dpi) {
  auto bitmap = static_cast<HBITMAP>(
      LoadImageA(instance, MAKEINTRESOURCEA(resource), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  if (bitmap == nullptr || dpi == kPictureDpi) return bitmap;
  BITMAP size{};
  GetObjectA(bitmap, sizeof size, &size);
  auto scaled =
      static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, MulDiv(size.bmWidth, dpi, kPictureDpi),
                                     MulDiv(size.bmHeight, dpi, kPictureDpi), LR_COPYDELETEORG));
  return scaled != nullptr ? scaled : bitmap;
}

HWND CreateControl(HWND window, const ControlSpec& design, HINSTANCE instance) {
  const char* window_class = "STATIC";
  // Siblings clip each other, so that the stacking order decides what is seen where they overlap.
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  switch (design.kind) {
    case ControlKind::kGroup:
      window_class = "BUTTON";
      style |= BS_GROUPBOX;
      break;
    case ControlKind::kLabel:
      // Wrapped like a multi-line edit box: a word longer than the line (a folder path) is
      // broken rather than cut; "&" is shown as it is.
      style |= SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;
      break;
    case ControlKind::kPicture:
      if (design.window == WindowId::kMain) {
        // Notifies, so that its tooltip sees the mouse; the About picture is clicked, and is in
        // the Tab order.
        style |= SS_OWNERDRAW | SS_NOTIFY;
        if (design.picture == Picture::kAboutButton) style |= WS_TABSTOP;
      } else {
        style |= SS_BITMAP;
      }
      break;
    case ControlKind::kButton:
      window_class = "BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
  }
  std::string caption(design.caption);
  if (design.kind == ControlKind::kButton) caption = WithAccessKeyMark(design, design.caption);
  if (design.kind == ControlKind::kPicture && design.window == WindowId::kMain) {
    caption = std::string(WordsOf(design.picture).name);
  }
  return CreateWindowExA(0, window_class, caption.c_str(), style, 0, 0, 0, 0, window,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance,
                         nullptr);
}

INT_PTR RunEmptyDialog(HINSTANCE instance, HWND owner, DLGPROC procedure, LPARAM param) {
  // The template: style, extended style, no controls, place and size 0, no menu, the standard
  // class, no title. DWORD-aligned as the system wants it.
  struct alignas(DWORD) EmptyTemplate {
    WORD words[12] = {};
  } empty;
  const DWORD style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  std::memcpy(&empty.words[0], &style, sizeof style);
  return DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(empty.words), owner,
                                 procedure, param);
}

void StackTopDown(const std::vector<HWND>& controls) {
  HWND above = HWND_TOP;
  for (HWND control : controls) {
    SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = control;
  }
}

void SetVisible(HWND control, bool visible) {
  ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

void SetEnabled(HWND control, bool enabled) {
  EnableWindow(control, enabled ? TRUE : FALSE);
}

void SetText(HWND control, std::string_view text) {
  SetWindowTextA(control, std::string(text).c_str());
}

void SetFont(HWND control, HFONT font) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void SetPicture(HWND control, HBITMAP bitmap) {
  SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void MoveTo(HWND control, const RECT& rect) {
  SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

int WrappedTextHeight(HWND control, std::string_view text, int width) {
  return WrappedTextHeight(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), text,
                           width);
}

int WrappedTextHeight(HFONT font, std::string_view text, int width) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  RECT rect{0, 0, width, 0};
  // The flags a static control with SS_LEFT, SS_NOPREFIX and SS_EDITCONTROL draws with.
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
  if (previous != nullptr) SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return rect.bottom - rect.top;
}

}  // namespace ql2
