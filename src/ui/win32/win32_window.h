// The main window on the plain Win32 API: the control table's main-window rows made as native
// controls, each with its ControlId as its control id. It holds no logic: a click on a button or
// on pictureAbout becomes one call of MainWindowLogic::Click, an access key one call of
// PressAccessKey, F1 one of OpenManual; the logic changes the controls through the Window
// operations. The controls stand where the shared layout puts them, at the largest scale up to
// the monitor's at which the window fits the monitor's available area. The Install and Remove
// buttons' context menu (right button, menu key, Shift+F10) offers the preview of their click.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window.h"
#include "app/window_layout.h"
#include "platform/win32_api.h"

namespace ql2 {

class Win32MainWindow : public Window {
 public:
  explicit Win32MainWindow(HINSTANCE instance);
  ~Win32MainWindow() override;
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;

  // Makes the window and its controls, hidden; false when the system refuses.
  bool Create();
  // Centres the window on the screen and shows it.
  void ShowCentred();
  // Where clicks go; without logic a click does nothing.
  void SetLogic(MainWindowLogic* logic) { logic_ = logic; }

  HWND handle() const { return window_; }
  // The control of a main-window row, nullptr for any other id.
  HWND Control(ControlId id) const;
  // The control with the keyboard focus, kNone when none of the window's has it.
  ControlId FocusedControl() const;
  // Where the controls stand now, and at what scale.
  const MainWindowLayout& layout() const { return layout_; }
  // Handles a message of the thread's queue before it is dispatched, as a dialog box does: Tab
  // and the arrow keys move between controls, Space and Enter press the focused one; also the
  // access keys, as the logic says, and F1. True when the message has been handled.
  bool PreTranslate(MSG* message);
  // Runs the window's messages until it is closed. Returns the program's exit code.
  int RunMessageLoop();

  void Show(ControlId id) override;
  void Hide(ControlId id) override;
  void Enable(ControlId id) override;
  void Disable(ControlId id) override;
  void SetCaption(ControlId id, std::string_view caption) override;
  // The caption exactly as last set (bytes the code page cannot show are kept).
  std::string Caption(ControlId id) const override;
  bool IsShown(ControlId id) const override;
  bool IsEnabled(ControlId id) const override;
  void Focus(ControlId id) override;
  void Warn(std::string_view title, std::string_view text) override;
  bool AskYesNo(std::string_view title, std::string_view text) override;
  // The system's folder picker (IFileOpenDialog), with a box to type or paste a path in.
  std::string ChooseFolder(std::string_view title, const std::string& start_folder) override;
  int ChooseFromList(std::string_view title, std::string_view text,
                     const std::vector<std::string>& items) override;
  void ShowAboutModally() override;
  void ShowPreviewModally(const PreviewView& preview) override;
  void Close() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);
  // Lays the window out for the monitor's dpi.
  void Layout(int dpi);
  // Places every control for its texts and pictures, at the scale at which the window fits.
  void Relayout();
  // Makes the fonts and pictures for the dpi the controls are drawn at.
  void MakeResources(int dpi);
  void ApplyStacking();
  void AddTooltips();
  // A family button's context menu at a place on the screen (the button's middle when opened by
  // a key): its one item opens the preview of the button's click.
  void OpenContextMenu(ControlId id, POINT at);
  void DrawPicture(const DRAWITEMSTRUCT& item);
  void PaintBackground(HDC dc);
  void ReleaseResources();
  static LRESULT CALLBACK FocusableProc(HWND control, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                                        DWORD_PTR window);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  int dpi_ = 0;          // the controls are drawn at
  int monitor_dpi_ = 0;  // the monitor's, at which the frame is drawn
  MainWindowLayout layout_;
  ControlId focus_ = ControlId::kNone;  // the focus to give when the window takes the keyboard
  HWND tooltips_ = nullptr;
  MainWindowLogic* logic_ = nullptr;
  std::map<ControlId, HWND> controls_;
  std::map<ControlId, std::string> captions_;
  HFONT text_font_ = nullptr;
  HFONT caption_font_ = nullptr;
  HBITMAP banner_ = nullptr;
  std::map<Picture, HBITMAP> pictures_;
};

}  // namespace ql2
