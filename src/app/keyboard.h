// The main window's keyboard rules, shared by every front end: where the focus goes at start-up
// and after a click, and what an access key does. Each rule is a pure function of the control
// table and of what the window shows now, so that the front ends cannot differ.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "app/controls.h"

namespace ql2 {

// A main-window control as the window shows it now.
struct ControlView {
  bool shown = false;
  bool enabled = false;
  std::string caption;
};
using WindowView = std::map<ControlId, ControlView>;

// The control the focus starts on: the first group's frame, where Space and Enter do nothing.
ControlId StartupFocus(const WindowView& view);

// Where the focus goes once a click on `clicked` has been handled, kNone to leave it where it is.
// After a family's button it stays in that family: on the group's other button when that is
// shown and enabled, else on the clicked one when it still is, else on the group's frame; so a
// Space pressed after a click never reaches another family.
ControlId FocusAfterClick(ControlId clicked, const WindowView& view);

// The letter of a control's access key (upper case), 0 for none: the About picture's is A, a
// button's follows its caption ("Install" I, "Remove" R, "Repair" P, "Exit" X).
char AccessKeyOf(const ControlSpec& design, std::string_view caption);
// Every letter some control of the main window may take as its access key. (The About window's
// buttons have keys of their own, which its front end handles.)
std::string AllAccessKeys();
// The caption as a front end renders it: the access key's letter marked with '&' (which the
// front end underlines), and every '&' of the caption itself doubled.
std::string WithAccessKeyMark(const ControlSpec& design, std::string_view caption);

// What an access key does. A key of one control outside the groups (Exit, About) clicks it. The
// families' buttons share their keys, so a key of theirs only moves the focus, never clicks: to
// that button of the group the focus is in, or, when the focus is on it already or the group
// offers none, to the next group's; Space or Enter then clicks the one the user has seen.
struct KeyAction {
  ControlId focus = ControlId::kNone;
  ControlId click = ControlId::kNone;
};
KeyAction ActOnAccessKey(char key, ControlId focused, const WindowView& view);

}  // namespace ql2
