#include "ui/win32/win32_list_dialog.h"

#include "ui/win32/win32_layout.h"

namespace ql2 {
namespace {

constexpr int kTextId = 101;

// The dialog's controls, placed in twips like the windows of the control table.
struct Row {
  int id;
  const char* window_class;
  DWORD style;
  int left, top, width, height;
};
constexpr Row kRows[] = {
    {kTextId, "STATIC", SS_LEFT | SS_NOPREFIX, 120, 120, 5760, 495},
    {kListDialogListId, "LISTBOX",
     LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP, 120, 720,
     5760, 2160},
    {IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 3360, 3000, 1215, 375},
    {IDCANCEL, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 4665, 3000, 1215, 375},
};
constexpr char kOk[] = "OK";
constexpr char kCancel[] = "Cancel";
constexpr int kClientWidth = 6000;
constexpr int kClientHeight = 3495;

struct ListState {
  HINSTANCE instance;
  std::string title;
  std::string text;
  const std::vector<std::string>* items;
  HFONT font = nullptr;
  int picked = -1;
};

void Layout(HWND dialog, ListState& state, int dpi) {
  SetClientSize(dialog, WindowSpec{WindowId::kMain, state.title, kClientWidth, kClientHeight}, dpi);
  HFONT old_font = state.font;
  state.font = MakeTextFont(dpi);
  for (const Row& row : kRows) {
    HWND control = GetDlgItem(dialog, row.id);
    SetFont(control, state.font);
    MoveTo(control, RECT{TwipsToPixels(row.left, dpi), TwipsToPixels(row.top, dpi),
                         TwipsToPixels(row.left + row.width, dpi),
                         TwipsToPixels(row.top + row.height, dpi)});
  }
  if (old_font != nullptr) DeleteObject(old_font);
}

bool Initialize(HWND dialog, ListState& state) {
  SetText(dialog, state.title);
  for (const Row& row : kRows) {
    const char* caption = row.id == kTextId    ? state.text.c_str()
                          : row.id == IDOK     ? kOk
                          : row.id == IDCANCEL ? kCancel
                                               : "";
    HWND control = CreateWindowExA(
        0, row.window_class, caption, WS_CHILD | WS_VISIBLE | row.style, 0, 0, 0, 0, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), state.instance, nullptr);
    if (control == nullptr) return false;
  }
  HWND list = GetDlgItem(dialog, kListDialogListId);
  for (const std::string& item : *state.items) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  Layout(dialog, state, DpiOf(dialog));
  CentreOnScreen(dialog);
  SetFocus(list);
  return true;
}

INT_PTR CALLBACK ListProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
  auto* state = reinterpret_cast<ListState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, l);
      if (!Initialize(dialog, *reinterpret_cast<ListState*>(l))) EndDialog(dialog, IDABORT);
      return FALSE;  // the focus is on the list already
    case WM_COMMAND: {
      const bool double_click = LOWORD(w) == kListDialogListId && HIWORD(w) == LBN_DBLCLK;
      if (LOWORD(w) == IDOK || double_click) {
        const LRESULT selected =
            SendMessageA(GetDlgItem(dialog, kListDialogListId), LB_GETCURSEL, 0, 0);
        state->picked = selected == LB_ERR ? -1 : static_cast<int>(selected);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(w) == IDCANCEL) {  // also Escape and the close box
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    }
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

int ChooseFromListDialog(HINSTANCE instance, HWND owner, std::string_view title,
                         std::string_view text, const std::vector<std::string>& items) {
  ListState state{instance, std::string(title), std::string(text), &items};
  RunModalDialog(instance, owner, ListProc, reinterpret_cast<LPARAM>(&state));
  if (state.font != nullptr) DeleteObject(state.font);
  return state.picked;
}

}  // namespace ql2
