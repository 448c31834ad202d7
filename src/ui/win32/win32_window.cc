#include "ui/win32/win32_window.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "ui/win32/resource.h"
#include "ui/win32/win32_about_dialog.h"
#include "ui/win32/win32_layout.h"

// After <windows.h>: the shell's folder browser.
#include <shlobj.h>

namespace ql2 {
namespace {

constexpr char kWindowClass[] = "QL2ConfiguratorMainWindow";

// Buttons are clicked, and so is the About picture; other pictures and labels never notify.
bool IsClickable(const ControlSpec& design) {
  return design.kind == ControlKind::kButton ||
         (design.kind == ControlKind::kPicture && design.picture == Picture::kAboutButton);
}

std::vector<const ControlSpec*> MainRows() {
  std::vector<const ControlSpec*> rows;
  for (const ControlSpec& design : ControlTable()) {
    if (design.window == WindowId::kMain) rows.push_back(&design);
  }
  return rows;
}

// A status line has grown when its control is taller than its box in the table.
bool HasGrown(HWND label, const ControlSpec& design, int dpi) {
  const RECT box = ControlRect(design, dpi);
  RECT now;
  GetWindowRect(label, &now);
  return now.bottom - now.top > box.bottom - box.top;
}

HICON LoadProgramIcon(HINSTANCE instance, int width_metric, int height_metric) {
  return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(QL2_ICON_APP), IMAGE_ICON,
                                       GetSystemMetrics(width_metric),
                                       GetSystemMetrics(height_metric), LR_DEFAULTCOLOR));
}

}  // namespace

Win32MainWindow::Win32MainWindow(HINSTANCE instance) : instance_(instance) {}

Win32MainWindow::~Win32MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  ReleaseResources();
}

bool Win32MainWindow::Create() {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance_;
  window_class.hIcon = LoadProgramIcon(instance_, SM_CXICON, SM_CYICON);
  window_class.hIconSm = LoadProgramIcon(instance_, SM_CXSMICON, SM_CYSMICON);
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kWindowClass;
  if (!RegisterClassExA(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }

  // A fixed size: a caption with the close and minimise boxes, no sizing border.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  const std::string caption(FindWindow(WindowId::kMain).caption);
  CreateWindowExA(0, kWindowClass, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
  if (window_ == nullptr) return false;

  for (const ControlSpec* design : MainRows()) {
    HWND control = CreateControl(window_, *design, instance_);
    if (control == nullptr) return false;
    controls_[design->id] = control;
    captions_[design->id] = std::string(design->caption);
  }
  Layout(DpiOf(window_));
  for (const ControlSpec* design : MainRows()) SetVisible(Control(design->id), design->visible);
  return true;
}

void Win32MainWindow::ShowCentred() {
  CentreOnScreen(window_);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

void Win32MainWindow::Layout(int dpi) {
  dpi_ = dpi;
  SetClientSize(window_, FindWindow(WindowId::kMain), dpi);

  // The new fonts and pictures are in place before the old ones are deleted.
  HFONT old_text_font = text_font_;
  HFONT old_caption_font = caption_font_;
  HBITMAP old_banner = banner_;
  std::map<Picture, HBITMAP> old_pictures;
  old_pictures.swap(pictures_);
  text_font_ = MakeTextFont(dpi);
  caption_font_ = MakeCaptionFont(dpi);
  banner_ = LoadPicture(instance_, QL2_BITMAP_BANNER, dpi);

  for (const ControlSpec* design : MainRows()) {
    HWND control = Control(design->id);
    SetFont(control, design->kind == ControlKind::kGroup ? caption_font_ : text_font_);
    if (design->kind == ControlKind::kPicture) {
      HBITMAP& picture = pictures_[design->picture];
      if (picture == nullptr)
        picture = LoadPicture(instance_, PictureResource(design->picture), dpi);
      SetPicture(control, picture);
    }
    MoveTo(control, ControlRect(*design, dpi));
  }
  for (const ControlSpec* design : MainRows()) {
    if (IsStatusLine(*design)) FitStatusLine(*design);
  }
  ApplyStacking();

  if (old_text_font != nullptr) DeleteObject(old_text_font);
  if (old_caption_font != nullptr) DeleteObject(old_caption_font);
  if (old_banner != nullptr) DeleteObject(old_banner);
  for (const auto& entry : old_pictures) DeleteObject(entry.second);
  InvalidateRect(window_, nullptr, TRUE);
}

// A status line keeps its box while its text fits; a longer text wraps onward and the box grows
// downwards into its group, as far as the group's frame. A text longer still is never cut: the
// box grows on over the frame rather than lose the text's end.
void Win32MainWindow::FitStatusLine(const ControlSpec& design) {
  HWND label = Control(design.id);
  RECT box = ControlRect(design, dpi_);
  const int height = box.bottom - box.top;
  const int needed = WrappedTextHeight(label, captions_[design.id], box.right - box.left);
  if (needed > height) box.bottom = box.top + needed;
  MoveTo(label, box);
}

// Overlapping controls are drawn in the table's stacking order, the highest on top, above the
// groups; a status line that has grown past its box lies above everything so that none of it is
// covered. Among equals the table's order holds, which is also the order Tab moves in.
void Win32MainWindow::ApplyStacking() {
  auto rank = [this](const ControlSpec* design) {
    if (design->kind == ControlKind::kGroup) return INT_MIN;
    if (IsStatusLine(*design) && HasGrown(Control(design->id), *design, dpi_)) return INT_MAX;
    return design->stacking;
  };
  std::vector<const ControlSpec*> rows = MainRows();
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const ControlSpec* a, const ControlSpec* b) { return rank(a) > rank(b); });
  std::vector<HWND> top_down;
  for (const ControlSpec* design : rows) top_down.push_back(Control(design->id));
  StackTopDown(top_down);
}

void Win32MainWindow::PaintBackground(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (banner_ == nullptr) return;
  BITMAP size{};
  GetObjectA(banner_, sizeof size, &size);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory, banner_);
  BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

void Win32MainWindow::ReleaseResources() {
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(text_font_), static_cast<HGDIOBJ>(caption_font_),
                         static_cast<HGDIOBJ>(banner_)}) {
    if (object != nullptr) DeleteObject(object);
  }
  text_font_ = caption_font_ = nullptr;
  banner_ = nullptr;
  for (const auto& entry : pictures_) DeleteObject(entry.second);
  pictures_.clear();
}

HWND Win32MainWindow::Control(ControlId id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

int Win32MainWindow::RunMessageLoop() {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    if (window_ != nullptr && IsDialogMessageA(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Win32MainWindow::Show(ControlId id) {
  if (HWND control = Control(id)) SetVisible(control, true);
}

void Win32MainWindow::Hide(ControlId id) {
  if (HWND control = Control(id)) SetVisible(control, false);
}

void Win32MainWindow::Enable(ControlId id) {
  if (HWND control = Control(id)) SetEnabled(control, true);
}

void Win32MainWindow::Disable(ControlId id) {
  if (HWND control = Control(id)) SetEnabled(control, false);
}

void Win32MainWindow::SetCaption(ControlId id, std::string_view caption) {
  HWND control = Control(id);
  if (control == nullptr) return;
  captions_[id] = std::string(caption);
  SetText(control, caption);
  const ControlSpec& design = FindControl(id);
  if (IsStatusLine(design)) {
    FitStatusLine(design);
    ApplyStacking();
    // Painted now, not when the click returns: progress texts must be seen while it runs.
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
}

std::string Win32MainWindow::Caption(ControlId id) const {
  auto it = captions_.find(id);
  return it == captions_.end() ? std::string() : it->second;
}

bool Win32MainWindow::AskYesNo(std::string_view title, std::string_view text) {
  // Asked before the window is first shown, the box stands on its own in the middle of the
  // screen rather than over a window that is not there yet.
  HWND owner = window_ != nullptr && IsWindowVisible(window_) ? window_ : nullptr;
  return MessageBoxA(owner, std::string(text).c_str(), std::string(title).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

std::string Win32MainWindow::ChooseFolder(std::string_view title) {
  // The folder browser of the new style is a COM object and needs a single-threaded apartment.
  const ComApartment apartment;
  const std::string title_text(title);
  BROWSEINFOA browse{};
  browse.hwndOwner = window_;
  browse.lpszTitle = title_text.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  std::string folder;
  if (LPITEMIDLIST chosen = SHBrowseForFolderA(&browse)) {
    char path[MAX_PATH + 1] = {};
    if (SHGetPathFromIDListA(chosen, path)) folder = path;
    CoTaskMemFree(chosen);
  }
  return folder;
}

void Win32MainWindow::ShowAboutModally() {
  ShowAboutDialog(instance_, window_);
}

void Win32MainWindow::Close() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK Win32MainWindow::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTA*>(l);
    auto* self = static_cast<Win32MainWindow*>(created->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, w, l);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self->controls_.clear();  // destroyed with the window
    return DefWindowProcA(window, message, w, l);
  }
  return self->HandleMessage(message, w, l);
}

LRESULT Win32MainWindow::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      // One click, one call: only a click notification that comes from the control itself.
      const auto id = static_cast<ControlId>(LOWORD(w));
      HWND from = reinterpret_cast<HWND>(l);
      if (HIWORD(w) == BN_CLICKED && from != nullptr && from == Control(id) &&
          IsClickable(FindControl(id)) && logic_ != nullptr) {
        logic_->Click(id);
      }
      return 0;
    }
    case DM_GETDEFID: {
      // Enter presses the focused button; elsewhere it does nothing (no button is the default).
      HWND focus = GetFocus();
      const bool on_button = focus != nullptr && IsChild(window_, focus) &&
                             (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON);
      return MAKELRESULT(on_button ? GetDlgCtrlID(focus) : 0, DC_HASDEFID);
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(w) == Control(ControlId::kPictureAbout) &&
          reinterpret_cast<HWND>(w) != nullptr) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(w));
      return 1;
    case WM_SETFOCUS:
      if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
      return 0;
    case kDpiChangedMessage:
      FollowDpiChange(window_, w, l, [this](int dpi) { Layout(dpi); });
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, w, l);
}

}  // namespace ql2
