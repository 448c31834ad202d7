#include "ui/win32/win32_about_dialog.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/controls.h"
#include "ui/win32/win32_layout.h"

namespace ql2 {
namespace {

constexpr ControlId kOk = ControlId::kAboutCmdOk;

struct AboutState {
  HINSTANCE instance;
  std::function<void()> open_manual;
  std::map<ControlId, HWND> controls;
  HFONT font = nullptr;
  HBITMAP picture = nullptr;
};

// The dialog open now: F1 reaches it through the dialog loop's message filter.
AboutState* g_open_about = nullptr;

LRESULT CALLBACK HelpKeyFilter(int code, WPARAM w, LPARAM l) {
  const auto* message = reinterpret_cast<const MSG*>(l);
  if (code == MSGF_DIALOGBOX && message->message == WM_KEYDOWN && message->wParam == VK_F1 &&
      g_open_about != nullptr) {
    g_open_about->open_manual();
    return TRUE;
  }
  return CallNextHookEx(nullptr, code, w, l);
}

std::vector<const ControlSpec*> AboutRows() {
  std::vector<const ControlSpec*> rows;
  for (const ControlSpec& design : ControlTable()) {
    if (design.window == WindowId::kAbout) rows.push_back(&design);
  }
  return rows;
}

// Places the controls and makes the font and the picture for the dpi.
void Layout(HWND dialog, AboutState& state, int dpi) {
  SetClientSize(dialog, FindWindow(WindowId::kAbout), dpi);
  HFONT old_font = state.font;
  HBITMAP old_picture = state.picture;
  state.font = MakeTextFont(dpi);
  state.picture = nullptr;
  for (const ControlSpec* design : AboutRows()) {
    HWND control = state.controls[design->id];
    SetFont(control, state.font);
    if (design->kind == ControlKind::kPicture) {
      state.picture = LoadPicture(state.instance, PictureResource(design->picture), dpi);
      SetPicture(control, state.picture);
    }
    MoveTo(control, ControlRect(*design, dpi));
  }
  if (old_font != nullptr) DeleteObject(old_font);
  if (old_picture != nullptr) DeleteObject(old_picture);
}

bool Initialize(HWND dialog, AboutState& state) {
  SetText(dialog, FindWindow(WindowId::kAbout).caption);
  // Labels lie beneath the picture and the button above it, as windowless labels and windowed
  // controls stack.
  std::vector<HWND> labels, pictures, buttons;
  for (const ControlSpec* design : AboutRows()) {
    HWND control = CreateControl(dialog, *design, state.instance);
    if (control == nullptr) return false;
    state.controls[design->id] = control;
    SetVisible(control, design->visible);
    if (design->kind == ControlKind::kButton) {
      buttons.push_back(control);
    } else {
      (design->kind == ControlKind::kPicture ? pictures : labels).push_back(control);
    }
  }
  std::vector<HWND> top_down = buttons;
  top_down.insert(top_down.end(), pictures.begin(), pictures.end());
  top_down.insert(top_down.end(), labels.begin(), labels.end());
  StackTopDown(top_down);
  Layout(dialog, state, DpiOf(dialog));
  SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(kOk), 0);
  SetFocus(state.controls[kOk]);
  CentreOnScreen(dialog);
  return true;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
  auto* state = reinterpret_cast<AboutState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, l);
      if (!Initialize(dialog, *reinterpret_cast<AboutState*>(l))) EndDialog(dialog, IDABORT);
      return FALSE;  // the focus is on OK already
    case WM_COMMAND:
      // OK and Enter (OK is the default button); Escape and the close box send IDCANCEL.
      if (LOWORD(w) == static_cast<WORD>(kOk) || LOWORD(w) == IDCANCEL) {
        EndDialog(dialog, LOWORD(w));
        return TRUE;
      }
      if (LOWORD(w) == static_cast<WORD>(ControlId::kAboutManual) && state != nullptr) {
        state->open_manual();
        return TRUE;
      }
      break;
    case kDpiChangedMessage:
      if (state != nullptr) {
        FollowDpiChange(dialog, w, l, [&](int dpi) { Layout(dialog, *state, dpi); });
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void ShowAboutDialog(HINSTANCE instance, HWND owner, std::function<void()> open_manual) {
  AboutState state{instance, std::move(open_manual), {}, nullptr, nullptr};
  g_open_about = &state;
  HHOOK filter = SetWindowsHookExA(WH_MSGFILTER, HelpKeyFilter, nullptr, GetCurrentThreadId());
  RunEmptyDialog(instance, owner, AboutProc, reinterpret_cast<LPARAM>(&state));
  if (filter != nullptr) UnhookWindowsHookEx(filter);
  g_open_about = nullptr;
  if (state.font != nullptr) DeleteObject(state.font);
  if (state.picture != nullptr) DeleteObject(state.picture);
}

}  // namespace ql2
