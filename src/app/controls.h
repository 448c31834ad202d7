// The control table: every control of the main window and of the About window, with its name,
// kind, design caption, place in twips and initial visibility. Front ends render their windows
// from this one table and name each widget after its control.
#pragma once

#include <string_view>
#include <vector>

namespace ql2 {

enum class ControlId {
  kNone,
  // Main window.
  kPictureAbout,
  kFrame1,
  kFrame2,
  kFrame3,
  kFrame4,
  kLabel1,
  kPictureCheNot,
  kPictureInsChe,
  kPictureCorChe,
  kAdd,
  kRemoveCheyenne,
  kLabelAtr,
  kPictureAtrNot,
  kPictureInsAtr,
  kPictureCorAtr,
  kInstallAtr,
  kRemoveAtr,
  kLabelPmdg,
  kPictureInsPmdg,
  kPicturePmdgNot,
  kPictureCorPmdg,
  kInstallPmdg,
  kRemovePmdg,
  kLabelPic,
  kPicturePicNot,
  kPictureInsPic,
  kPictureCorPic,
  kInstallPic,
  kRemovePic,
  kClose,
  kLabel3,
  kLabel2,
  kChooseFolder,
  kLabelFolder,
  // About window.
  kAboutLabel1,
  kAboutLabel2,
  kAboutLabel3,
  kAboutPicture1,
  kAboutCmdOk,
  kAboutManual,
};

enum class ControlKind { kGroup, kLabel, kPicture, kButton };

// The images a picture control shows (assets/ holds them).
enum class Picture { kNone, kAboutButton, kNotInstalled, kInstalled, kEdited, kAboutPicture };

enum class WindowId { kMain, kAbout };

// A picture in words: the name a screen reader gives it, and the tooltip that says the state it
// shows.
struct PictureWords {
  std::string_view name;
  std::string_view tooltip;
};
PictureWords WordsOf(Picture picture);

struct ControlSpec {
  ControlId id;
  WindowId window;
  std::string_view name;  // the control's name, also the widget's object name
  ControlKind kind;
  std::string_view caption;      // design caption
  int left, top, width, height;  // twips, relative to the parent group or the client area
  ControlId parent;              // kNone: the window's client area
  bool visible;                  // at creation
  Picture picture;
  int stacking;  // among overlapping controls, the higher is drawn above
};

// Below the family groups, two additions: the chooseFolder button, which lets the user choose
// another simulator folder at any time, and the labelFolder line, which names the folder in use
// (the window is taller than the families need by that line).
inline constexpr std::string_view kChooseFolderTitle = "Choose the Flight Simulator 9.0 folder";

struct WindowSpec {
  WindowId id;
  std::string_view caption;
  int client_width, client_height;  // twips
};

inline constexpr int kTwipsPerPixelAt96Dpi = 15;

const std::vector<ControlSpec>& ControlTable();
const ControlSpec& FindControl(ControlId id);
const WindowSpec& FindWindow(WindowId id);

// A status line is a label inside a family's group; the hidden scratch labels lie outside.
bool IsStatusLine(const ControlSpec& design);
// A family's Install or Remove button: a button inside a family's group. Its context menu (the
// right mouse button, the menu key, Shift+F10) offers the preview of its click.
bool IsFamilyButton(const ControlSpec& design);
// The tooltip of a control: a picture's state in words, what a family's button offers besides
// its click; "" for none.
std::string_view TooltipOf(const ControlSpec& design);

// Where a window of this size goes to be centred on a screen of that size, in twips: each
// difference is rounded to a whole twip and halved with the remainder dropped, so a window larger
// than the screen gets a negative position.
struct Position {
  int left, top;
};
Position CenterOnScreen(double screen_width, double screen_height, double window_width,
                        double window_height);

}  // namespace ql2
