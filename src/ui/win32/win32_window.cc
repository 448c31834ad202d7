#include "ui/win32/win32_window.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <vector>

#include "app/click_preview.h"
#include "app/keyboard.h"

#include "ui/win32/resource.h"
#include "ui/win32/win32_about_dialog.h"
#include "ui/win32/win32_layout.h"
#include "ui/win32/win32_list_dialog.h"
#include "ui/win32/win32_preview_dialog.h"

// After <windows.h>: the shell's folder picker, the tooltips and subclassing.
#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windowsx.h>

namespace ql2 {
namespace {

constexpr char kWindowClass[] = "QL2ConfiguratorMainWindow";
constexpr int kTwipsPerInch = 1440;
// WM_CONTEXTMENU's place when a key asked for the menu.
constexpr LPARAM kKeyboardMenu = -1;
// The context menu's one item.
constexpr UINT kPreviewCommand = 1;

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

// The program's texts and paths are in the system's code page; the folder picker speaks UTF-16.
std::wstring WideFromAnsi(std::string_view text) {
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), n);
  return wide;
}

std::string AnsiFromWide(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return "";
  std::string ansi(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), n, nullptr, nullptr);
  ansi.pop_back();  // the terminating NUL
  return ansi;
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
  // The tooltips of the pictures.
  INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);

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
    // Controls that draw no focus of their own, and the About picture's keys.
    if (design->kind == ControlKind::kGroup || design->id == ControlId::kPictureAbout) {
      SetWindowSubclass(control, FocusableProc, static_cast<UINT_PTR>(design->id),
                        reinterpret_cast<DWORD_PTR>(this));
    }
  }
  for (const ControlSpec* design : MainRows()) SetVisible(Control(design->id), design->visible);
  Layout(DpiOf(window_));
  AddTooltips();
  return true;
}

void Win32MainWindow::ShowCentred() {
  Relayout();  // for the frame of a shown window
  CentreOnScreen(window_);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  // The focus and the access keys shown from the start, not only once a key has been pressed.
  SendMessageA(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL),
               0);
}

void Win32MainWindow::Layout(int dpi) {
  monitor_dpi_ = dpi;
  Relayout();
}

void Win32MainWindow::Relayout() {
  const RECT area = WorkArea(window_);
  const SIZE frame = FrameSize(window_, monitor_dpi_);
  const ScreenRoom room{area.right - area.left, area.bottom - area.top, frame.cx, frame.cy};
  auto dpi_at = [](double scale) {
    return static_cast<int>(std::lround(scale * kTwipsPerInch / kTwipsPerPixelAt96Dpi));
  };
  const TextHeight text_height = [this, &dpi_at](ControlId status, int width, double scale) {
    const int dpi = dpi_at(scale);
    HFONT font = dpi == dpi_ && text_font_ != nullptr ? text_font_ : MakeTextFont(dpi);
    auto caption = captions_.find(status);
    const int pixels =
        WrappedTextHeight(font, caption == captions_.end() ? std::string() : caption->second,
                          TwipsToPixels(width, dpi));
    if (font != text_font_) DeleteObject(font);
    return (pixels * kTwipsPerInch + dpi - 1) / dpi;
  };
  const IsControlShown shown = [this](ControlId id) { return IsShown(id); };
  layout_ = FitMainWindow(static_cast<double>(monitor_dpi_) * kTwipsPerPixelAt96Dpi / kTwipsPerInch,
                          room, text_height, shown);
  const int dpi = dpi_at(layout_.scale);
  if (dpi != dpi_) MakeResources(dpi);
  bool moved = false;
  for (const ControlSpec* design : MainRows()) {
    HWND control = Control(design->id);
    const RECT place = PlaceRect(layout_, design->id, dpi);
    RECT now;
    GetWindowRect(control, &now);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&now), 2);
    if (!EqualRect(&now, &place)) {
      MoveTo(control, place);
      moved = true;
    }
  }
  SetClientPixels(window_, TwipsToPixels(layout_.client_width, dpi),
                  TwipsToPixels(layout_.client_height, dpi), monitor_dpi_);
  ApplyStacking();
  if (IsWindowVisible(window_)) KeepOnScreen(window_);
  if (moved) InvalidateRect(window_, nullptr, TRUE);
}

void Win32MainWindow::MakeResources(int dpi) {
  dpi_ = dpi;
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
    SetFont(Control(design->id), design->kind == ControlKind::kGroup ? caption_font_ : text_font_);
    if (design->kind == ControlKind::kPicture && pictures_[design->picture] == nullptr) {
      pictures_[design->picture] = LoadPicture(instance_, PictureResource(design->picture), dpi);
    }
  }
  if (old_text_font != nullptr) DeleteObject(old_text_font);
  if (old_caption_font != nullptr) DeleteObject(old_caption_font);
  if (old_banner != nullptr) DeleteObject(old_banner);
  for (const auto& entry : old_pictures) DeleteObject(entry.second);
  InvalidateRect(window_, nullptr, TRUE);
}

// Overlapping controls are drawn in the table's stacking order, the highest on top, above the
// groups. Among equals the table's order holds, which is also the order Tab moves in.
void Win32MainWindow::ApplyStacking() {
  auto rank = [](const ControlSpec* design) {
    return design->kind == ControlKind::kGroup ? INT_MIN : design->stacking;
  };
  std::vector<const ControlSpec*> rows = MainRows();
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const ControlSpec* a, const ControlSpec* b) { return rank(a) > rank(b); });
  std::vector<HWND> top_down;
  for (const ControlSpec* design : rows) top_down.push_back(Control(design->id));
  StackTopDown(top_down);
}

void Win32MainWindow::AddTooltips() {
  tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                              nullptr, instance_, nullptr);
  if (tooltips_ == nullptr) return;
  for (const ControlSpec* design : MainRows()) {
    const std::string text(TooltipOf(*design));
    if (text.empty()) continue;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(Control(design->id));
    tool.lpszText = const_cast<char*>(text.c_str());  // copied by the control
    SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Win32MainWindow::DrawPicture(const DRAWITEMSTRUCT& item) {
  const ControlSpec& design = FindControl(static_cast<ControlId>(item.CtlID));
  auto picture = pictures_.find(design.picture);
  if (picture != pictures_.end() && picture->second != nullptr) {
    HDC memory = CreateCompatibleDC(item.hDC);
    HGDIOBJ previous = SelectObject(memory, picture->second);
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
           item.rcItem.bottom - item.rcItem.top, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
  }
  if (GetFocus() == item.hwndItem) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(item.hDC, &focus);
  }
}

LRESULT CALLBACK Win32MainWindow::FocusableProc(HWND control, UINT message, WPARAM w, LPARAM l,
                                                UINT_PTR id, DWORD_PTR) {
  const bool about = static_cast<ControlId>(id) == ControlId::kPictureAbout;
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(control, nullptr, TRUE);
      break;
    case WM_GETDLGCODE:
      // The About picture is pressed by Enter as a button is.
      if (about) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      break;
    case WM_KEYDOWN:
      if (w == VK_SPACE) return 0;
      break;
    case WM_KEYUP:
      if (w != VK_SPACE) break;
      // As a button does: Space clicks when it is let go. A group takes no click.
      if (about) {
        SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
      }
      return 0;
    case WM_PAINT:
      if (!about) {
        const LRESULT painted = DefSubclassProc(control, message, w, l);
        if (GetFocus() == control) {
          // A dotted line inside the group's frame.
          HDC dc = GetDC(control);
          RECT inside;
          GetClientRect(control, &inside);
          const int caption = WrappedTextHeight(control, "X", inside.right);
          inside.top += caption;
          InflateRect(&inside, -4, -4);
          DrawFocusRect(dc, &inside);
          ReleaseDC(control, dc);
        }
        return painted;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(control, FocusableProc, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(control, message, w, l);
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

ControlId Win32MainWindow::FocusedControl() const {
  HWND focus = GetFocus();
  for (const auto& entry : controls_) {
    if (entry.second == focus) return entry.first;
  }
  return ControlId::kNone;
}

bool Win32MainWindow::PreTranslate(MSG* message) {
  if (window_ == nullptr || (message->hwnd != window_ && !IsChild(window_, message->hwnd))) {
    return false;
  }
  if (message->message == WM_KEYDOWN && message->wParam == VK_F1) {
    if (logic_ != nullptr) logic_->OpenManual();
    return true;
  }
  // The menu key and Shift+F10 open the focused control's context menu, down and up, so that the
  // window procedure never makes a second one of them.
  const bool key = message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN ||
                   message->message == WM_KEYUP || message->message == WM_SYSKEYUP;
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  if (key && (message->wParam == VK_APPS || (message->wParam == VK_F10 && shift))) {
    const bool down = message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN;
    if (down) {
      SendMessageA(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetFocus()), kKeyboardMenu);
    }
    return true;
  }
  if (message->message == WM_SYSCHAR || message->message == WM_CHAR) {
    const char key = static_cast<char>(std::toupper(static_cast<int>(message->wParam & 0xFF)));
    if (key >= 'A' && key <= 'Z') {
      // Alt and a letter do what the logic says; a letter alone clicks nothing (the dialog
      // manager would click a button whose access key it is).
      if (message->message == WM_SYSCHAR && logic_ != nullptr) {
        logic_->PressAccessKey(key, FocusedControl());
      }
      return true;
    }
  }
  return IsDialogMessageA(window_, message) != 0;
}

int Win32MainWindow::RunMessageLoop() {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    if (PreTranslate(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Win32MainWindow::Show(ControlId id) {
  HWND control = Control(id);
  if (control == nullptr) return;
  SetVisible(control, true);
  if (FindControl(id).kind == ControlKind::kPicture) Relayout();
}

void Win32MainWindow::Hide(ControlId id) {
  HWND control = Control(id);
  if (control == nullptr) return;
  SetVisible(control, false);
  if (FindControl(id).kind == ControlKind::kPicture) Relayout();
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
  const ControlSpec& design = FindControl(id);
  SetText(control, design.kind == ControlKind::kButton ? WithAccessKeyMark(design, caption)
                                                       : std::string(caption));
  if (IsStatusLine(design)) {
    Relayout();
    // Painted now, not when the click returns: progress texts must be seen while it runs.
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
}

std::string Win32MainWindow::Caption(ControlId id) const {
  auto it = captions_.find(id);
  return it == captions_.end() ? std::string() : it->second;
}

bool Win32MainWindow::IsShown(ControlId id) const {
  HWND control = Control(id);
  return control != nullptr && (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Win32MainWindow::IsEnabled(ControlId id) const {
  HWND control = Control(id);
  return control != nullptr && IsWindowEnabled(control);
}

void Win32MainWindow::Focus(ControlId id) {
  focus_ = id;
  HWND control = Control(id);
  // A window that has not the keyboard now gives the focus when it takes it (WM_SETFOCUS).
  if (control != nullptr && GetActiveWindow() == window_) SetFocus(control);
}

void Win32MainWindow::Warn(std::string_view title, std::string_view text) {
  // Over the About window when it asked; on its own before the main window is shown.
  HWND owner = GetActiveWindow();
  if (owner == nullptr && window_ != nullptr && IsWindowVisible(window_)) owner = window_;
  MessageBoxA(owner, std::string(text).c_str(), std::string(title).c_str(), MB_OK | MB_ICONWARNING);
}

bool Win32MainWindow::AskYesNo(std::string_view title, std::string_view text) {
  // Asked before the window is first shown, the box stands on its own in the middle of the
  // screen rather than over a window that is not there yet.
  HWND owner = window_ != nullptr && IsWindowVisible(window_) ? window_ : nullptr;
  return MessageBoxA(owner, std::string(text).c_str(), std::string(title).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

std::string Win32MainWindow::ChooseFolder(std::string_view title, const std::string& start_folder) {
  // The folder picker is a COM object and needs a single-threaded apartment.
  const ComApartment apartment;
  IFileOpenDialog* dialog = nullptr;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog)))) {
    return "";
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog->SetTitle(WideFromAnsi(title).c_str());
  // A start folder that is not there (any more) is left out: the picker starts where it would.
  const DWORD start_attributes = GetFileAttributesA(start_folder.c_str());
  const bool start_exists = start_attributes != INVALID_FILE_ATTRIBUTES &&
                            (start_attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  IShellItem* start = nullptr;
  if (start_exists &&
      SUCCEEDED(SHCreateItemFromParsingName(WideFromAnsi(start_folder).c_str(), nullptr,
                                            IID_IShellItem, reinterpret_cast<void**>(&start)))) {
    dialog->SetFolder(start);
    start->Release();
  }
  std::string folder;
  IShellItem* picked = nullptr;
  if (SUCCEEDED(dialog->Show(window_)) && SUCCEEDED(dialog->GetResult(&picked))) {
    PWSTR path = nullptr;
    if (SUCCEEDED(picked->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
      folder = AnsiFromWide(path);
      CoTaskMemFree(path);
    }
    picked->Release();
  }
  dialog->Release();
  return folder;
}

int Win32MainWindow::ChooseFromList(std::string_view title, std::string_view text,
                                    const std::vector<std::string>& items) {
  return ChooseFromListDialog(instance_, window_, title, text, items);
}

void Win32MainWindow::ShowPreviewModally(const PreviewView& preview) {
  ShowPreviewDialog(instance_, window_, preview);
}

void Win32MainWindow::OpenContextMenu(ControlId id, POINT at) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  AppendMenuA(menu, MF_STRING, kPreviewCommand, PreviewMenuItem(Caption(id)).c_str());
  const BOOL chosen =
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
  DestroyMenu(menu);
  if (chosen == kPreviewCommand && logic_ != nullptr) logic_->ShowPreview(id);
}

void Win32MainWindow::ShowAboutModally() {
  ShowAboutDialog(instance_, window_, [this] {
    if (logic_ != nullptr) logic_->Click(ControlId::kAboutManual);
  });
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
    case WM_CONTEXTMENU: {
      // From the right button over a control, or from the keys above (the focused control).
      HWND from = reinterpret_cast<HWND>(w);
      const auto id = static_cast<ControlId>(GetDlgCtrlID(from));
      if (from == nullptr || from != Control(id) || !IsFamilyButton(FindControl(id))) break;
      POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
      if (l == kKeyboardMenu) {
        RECT rect;
        GetWindowRect(from, &rect);
        at = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
      }
      OpenContextMenu(id, at);
      return 0;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(w) == Control(ControlId::kPictureAbout) &&
          reinterpret_cast<HWND>(w) != nullptr) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      if (item->CtlType != ODT_STATIC) break;
      DrawPicture(*item);
      return TRUE;
    }
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(w));
      return 1;
    case WM_ACTIVATE:
      // The focus the window had is the one it gives back when it has the keyboard again.
      if (LOWORD(w) == WA_INACTIVE && FocusedControl() != ControlId::kNone) {
        focus_ = FocusedControl();
      }
      break;
    case WM_SETFOCUS: {
      HWND target = Control(focus_);
      if (target == nullptr || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
        target = GetNextDlgTabItem(window_, nullptr, FALSE);
      }
      if (target != nullptr) SetFocus(target);
      return 0;
    }
    case WM_NEXTDLGCTL: {
      // Tab and Shift+Tab, through the dialog manager.
      HWND next = LOWORD(l) ? reinterpret_cast<HWND>(w)
                            : GetNextDlgTabItem(window_, GetFocus(), w != 0 ? TRUE : FALSE);
      if (next != nullptr) SetFocus(next);
      return 0;
    }
    case kDpiChangedMessage:
      FollowDpiChange(window_, w, l, [this](int dpi) { Layout(dpi); });
      KeepOnScreen(window_);
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
