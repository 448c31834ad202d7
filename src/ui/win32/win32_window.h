// The main window on the plain Win32 API: the control table's main-window rows made as native
// controls, each with its ControlId as its control id. It holds no logic: a click on a button or
// on pictureAbout becomes one call of MainWindowLogic::Click, and the logic changes the controls
// through the Window operations.
#pragma once

#include <map>
#include <string>

#include "app/main_window.h"
#include "app/window.h"
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
  // Runs the window's messages until it is closed; Tab and the arrow keys move between buttons.
  // Returns the program's exit code.
  int RunMessageLoop();

  void Show(ControlId id) override;
  void Hide(ControlId id) override;
  void Enable(ControlId id) override;
  void Disable(ControlId id) override;
  void SetCaption(ControlId id, std::string_view caption) override;
  // The caption exactly as last set (bytes the code page cannot show are kept).
  std::string Caption(ControlId id) const override;
  bool AskYesNo(std::string_view title, std::string_view text) override;
  std::string ChooseFolder(std::string_view title) override;
  void ShowAboutModally() override;
  void Close() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);
  // Places every control, and makes the fonts and pictures, for the dpi.
  void Layout(int dpi);
  void FitStatusLine(const ControlSpec& design);
  void ApplyStacking();
  void PaintBackground(HDC dc);
  void ReleaseResources();

  HINSTANCE instance_;
  HWND window_ = nullptr;
  int dpi_ = 0;
  MainWindowLogic* logic_ = nullptr;
  std::map<ControlId, HWND> controls_;
  std::map<ControlId, std::string> captions_;
  HFONT text_font_ = nullptr;
  HFONT caption_font_ = nullptr;
  HBITMAP banner_ = nullptr;
  std::map<Picture, HBITMAP> pictures_;
};

}  // namespace ql2
