#include "ui/win32/win32_preview_dialog.h"

#include <algorithm>
#include <string>

#include "ui/win32/win32_layout.h"

// After <windows.h>: the list view.
#include <commctrl.h>

namespace ql2 {
namespace {

// Sizes in pixels at 96 dots per inch, scaled to the dialog's dpi.
constexpr int kDesignDpi = 96;
constexpr int kWidth = 720;
constexpr int kReportHeight = 540;  // the dialog's height when it shows a report
constexpr int kMargin = 10;
constexpr int kGap = 6;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 25;
constexpr int kMostFileRows = 6;
// The share of the monitor's available area the dialog takes at most.
constexpr int kScreenPercent = 90;
constexpr int kFixedFontPoints = 9;
constexpr int kPointsPerInch = 72;
constexpr char kFixedFontFace[] = "Courier New";

struct PreviewState {
  HINSTANCE instance;
  const PreviewView* preview;
  HFONT text_font = nullptr;
  HFONT heading_font = nullptr;
  HFONT fixed_font = nullptr;
};

// The edit box wants Windows' line ends.
std::string WithCrLf(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

HWND Make(HWND dialog, HINSTANCE instance, const char* window_class, const std::string& text,
          DWORD style, int id, DWORD ex_style = 0) {
  return CreateWindowExA(ex_style, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0,
                         0, 0, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                         nullptr);
}

void AddFiles(HWND list, const PreviewView& preview) {
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (int column = 0; column < 2; ++column) {
    LVCOLUMNA format{};
    format.mask = LVCF_SUBITEM;
    format.iSubItem = column;
    SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&format));
  }
  int row = 0;
  for (const PreviewFile& file : preview.files) {
    std::string action(file.action);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = &action[0];
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    std::string name = file.name;
    item.iSubItem = 1;
    item.pszText = &name[0];
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    ++row;
  }
  if (row > 0) {
    ListView_SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
  }
}

// Places every control for the dpi, from the top down; the report takes the room that is left.
void Layout(HWND dialog, PreviewState& state, int dpi) {
  const PreviewView& preview = *state.preview;
  auto px = [dpi](int pixels) { return MulDiv(pixels, dpi, kDesignDpi); };
  // The new fonts are in place before the old ones are deleted.
  const HFONT old_fonts[] = {state.text_font, state.heading_font, state.fixed_font};
  state.text_font = MakeTextFont(dpi);
  state.heading_font = MakeCaptionFont(dpi);
  state.fixed_font =
      CreateFontA(-MulDiv(kFixedFontPoints, dpi, kPointsPerInch), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                  FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                  FIXED_PITCH | FF_MODERN, kFixedFontFace);
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    SetFont(child, id == kPreviewHeadingId  ? state.heading_font
                   : id == kPreviewReportId ? state.fixed_font
                                            : state.text_font);
  }
  for (HFONT font : old_fonts) {
    if (font != nullptr) DeleteObject(font);
  }

  const RECT area = WorkArea(dialog);
  const int width =
      std::min(px(kWidth), static_cast<int>(area.right - area.left) * kScreenPercent / 100);
  const int most_height = static_cast<int>(area.bottom - area.top) * kScreenPercent / 100;
  const int inner = width - 2 * px(kMargin);
  int y = px(kMargin);
  auto place = [&](int id, const std::string& text, int height) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return;
    if (height < 0) height = WrappedTextHeight(control, text, inner);
    MoveTo(control, RECT{px(kMargin), y, px(kMargin) + inner, y + height});
    y += height + px(kGap);
  };
  place(kPreviewHeadingId, preview.heading, -1);
  place(kPreviewSummaryId, preview.summary, -1);
  if (HWND list = GetDlgItem(dialog, kPreviewFilesId)) {
    place(kPreviewFilesLabelId, std::string(preview.files_label), -1);
    const int line = WrappedTextHeight(list, "X", inner) + px(2);
    const int rows = std::min<int>(static_cast<int>(preview.files.size()), kMostFileRows);
    place(kPreviewFilesId, "", rows * line + px(6));
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
  }
  HWND note = GetDlgItem(dialog, kPreviewNoteId);
  const int note_height = WrappedTextHeight(note, std::string(preview.note), inner);
  const int bottom_part = note_height + px(kGap) + px(kButtonHeight) + px(kMargin);
  int height = y + bottom_part;
  if (HWND report = GetDlgItem(dialog, kPreviewReportId)) {
    place(kPreviewReportLabelId, std::string(preview.report_label), -1);
    height = std::min(std::max(px(kReportHeight), y + bottom_part + px(60)), most_height);
    const int report_height = std::max(px(40), height - bottom_part - y);
    MoveTo(report, RECT{px(kMargin), y, px(kMargin) + inner, y + report_height});
    y += report_height + px(kGap);
  }
  MoveTo(note, RECT{px(kMargin), y, px(kMargin) + inner, y + note_height});
  y += note_height + px(kGap);
  MoveTo(GetDlgItem(dialog, IDCANCEL), RECT{width - px(kMargin) - px(kButtonWidth), y,
                                            width - px(kMargin), y + px(kButtonHeight)});
  SetClientPixels(dialog, width, y + px(kButtonHeight) + px(kMargin), dpi);
}

bool Initialize(HWND dialog, PreviewState& state) {
  const PreviewView& preview = *state.preview;
  SetText(dialog, preview.title);
  const DWORD label = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;
  Make(dialog, state.instance, "STATIC", preview.heading, label, kPreviewHeadingId);
  Make(dialog, state.instance, "STATIC", preview.summary, label, kPreviewSummaryId);
  if (!preview.files.empty()) {
    Make(dialog, state.instance, "STATIC", std::string(preview.files_label), label,
         kPreviewFilesLabelId);
    // Named by the label before it, for screen readers.
    HWND list =
        Make(dialog, state.instance, WC_LISTVIEWA, "",
             LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
             kPreviewFilesId, WS_EX_CLIENTEDGE);
    if (list == nullptr) return false;
    AddFiles(list, preview);
  }
  if (!preview.report.empty()) {
    Make(dialog, state.instance, "STATIC", std::string(preview.report_label), label,
         kPreviewReportLabelId);
    HWND report = Make(dialog, state.instance, "EDIT", "",
                       WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
                           ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                       kPreviewReportId);
    if (report == nullptr) return false;
    SendMessageA(report, EM_SETLIMITTEXT, 0, 0);
    SetText(report, WithCrLf(preview.report));
  }
  Make(dialog, state.instance, "STATIC", std::string(preview.note), label, kPreviewNoteId);
  HWND close = Make(dialog, state.instance, "BUTTON", std::string(preview.close_caption),
                    BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL);
  if (close == nullptr) return false;
  Layout(dialog, state, DpiOf(dialog));
  CentreOnScreen(dialog);
  SetFocus(close);
  return true;
}

INT_PTR CALLBACK PreviewProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
  auto* state = reinterpret_cast<PreviewState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, l);
      if (!Initialize(dialog, *reinterpret_cast<PreviewState*>(l))) EndDialog(dialog, IDABORT);
      return FALSE;  // the focus is on Close already
    case WM_COMMAND:
      // Close, Escape and the close box all send IDCANCEL.
      if (LOWORD(w) == IDCANCEL || LOWORD(w) == IDOK) {
        EndDialog(dialog, IDCANCEL);
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

void ShowPreviewDialog(HINSTANCE instance, HWND owner, const PreviewView& preview) {
  PreviewState state{instance, &preview};
  RunModalDialog(instance, owner, PreviewProc, reinterpret_cast<LPARAM>(&state));
  for (HFONT font : {state.text_font, state.heading_font, state.fixed_font}) {
    if (font != nullptr) DeleteObject(font);
  }
}

}  // namespace ql2
