// The main window as the program's logic sees it: exactly the operations the logic needs on its
// controls and dialogs. Front ends (Qt, Win32, console) implement it; they hold no logic.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/controls.h"
#include "app/preview_view.h"

namespace ql2 {

class Window {
 public:
  virtual ~Window() = default;

  virtual void Show(ControlId id) = 0;
  virtual void Hide(ControlId id) = 0;
  virtual void Enable(ControlId id) = 0;
  virtual void Disable(ControlId id) = 0;
  // Sets a control's caption; a front end paints a changed status line at once, so that progress
  // texts set during a long click are seen.
  virtual void SetCaption(ControlId id, std::string_view caption) = 0;
  virtual std::string Caption(ControlId id) const = 0;
  // Whether the control is shown, and enabled, as last set.
  virtual bool IsShown(ControlId id) const = 0;
  virtual bool IsEnabled(ControlId id) const = 0;
  // Gives the control the keyboard focus, visibly; a window not shown yet gives it when it is.
  virtual void Focus(ControlId id) = 0;

  // The modal question with Yes and No buttons, the question icon and Yes as the default.
  virtual bool AskYesNo(std::string_view title, std::string_view text) = 0;
  // A modal message with an OK button and the warning icon: what the user asked for, outside any
  // family, could not be done.
  virtual void Warn(std::string_view title, std::string_view text) = 0;
  // Lets the user pick a folder, or type or paste its path, starting in start_folder ("" leaves
  // the start to the system); "" when the user cancels.
  virtual std::string ChooseFolder(std::string_view title, const std::string& start_folder) = 0;
  // Lets the user pick one of the items, the first selected at the start; the index picked, or
  // -1 when the user cancels.
  virtual int ChooseFromList(std::string_view title, std::string_view text,
                             const std::vector<std::string>& items) = 0;
  // Opens the About window modally; returns when it has been closed.
  virtual void ShowAboutModally() = 0;
  // Shows what a click would change, modally, until the user closes it (Escape closes it too).
  virtual void ShowPreviewModally(const PreviewView& preview) = 0;
  // Closes the main window, which ends the program.
  virtual void Close() = 0;
};

}  // namespace ql2
