#include "app/keyboard.h"

#include <gtest/gtest.h>

#include "aircraft/family.h"
#include "app/family_controls.h"

namespace ql2 {
namespace {

using C = ControlId;

// Every main-window control shown and enabled with its design caption, then the changes.
WindowView View(std::initializer_list<std::pair<C, const char*>> changes = {}) {
  WindowView view;
  for (const ControlSpec& design : ControlTable()) {
    if (design.window == WindowId::kMain)
      view[design.id] = {true, true, std::string(design.caption)};
  }
  for (const auto& change : changes) {
    ControlView& control = view[change.first];
    const std::string what = change.second;
    if (what == "hidden") {
      control.shown = false;
    } else if (what == "disabled") {
      control.enabled = false;
    } else {
      control.caption = what;
    }
  }
  return view;
}

TEST(KeyboardTest, TheFocusStartsOnTheFirstGroupsFrame) {
  EXPECT_EQ(StartupFocus(View()), C::kFrame1);
  EXPECT_EQ(StartupFocus(View({{C::kAdd, "hidden"}, {C::kRemoveCheyenne, "hidden"}})), C::kFrame1);
}

TEST(KeyboardTest, AfterAClickTheFocusStaysInTheFamily) {
  struct Case {
    C clicked;
    WindowView view;
    C focus;
  };
  const Case cases[] = {
      {C::kInstallAtr, View({{C::kInstallAtr, "disabled"}}), C::kRemoveAtr},
      {C::kRemoveAtr, View({{C::kRemoveAtr, "disabled"}}), C::kInstallAtr},
      {C::kAdd, View({{C::kRemoveCheyenne, "disabled"}}), C::kAdd},  // a refusal: Install again
      {C::kInstallPmdg, View({{C::kInstallPmdg, "disabled"}, {C::kRemovePmdg, "disabled"}}),
       C::kFrame3},
      {C::kRemovePic, View({{C::kInstallPic, "hidden"}, {C::kRemovePic, "disabled"}}), C::kFrame4},
      {C::kRemovePic, View({{C::kInstallPic, "hidden"}, {C::kRemovePic, "hidden"}}), C::kFrame4},
      {C::kPictureAbout, View(), C::kPictureAbout},
      {C::kClose, View(), C::kNone},
      {C::kChooseFolder, View({{C::kChooseFolder, "hidden"}}), C::kFrame1},
      {C::kChooseFolder, View(), C::kChooseFolder},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FocusAfterClick(c.clicked, c.view), c.focus) << FindControl(c.clicked).name;
  }
}

// Whatever the buttons show, the focus after a family's button is that family's.
TEST(KeyboardTest, NoClickHandsTheFocusToAnotherFamily) {
  const char* const states[] = {"", "disabled", "hidden"};
  for (const Family* family : AllFamilies()) {
    const FamilyControls& controls = ControlsOf(*family);
    for (const char* install : states) {
      for (const char* remove : states) {
        WindowView view = View({{controls.install, install}, {controls.remove, remove}});
        for (C clicked : {controls.install, controls.remove}) {
          const C focus = FocusAfterClick(clicked, view);
          EXPECT_TRUE(focus == controls.group || FindControl(focus).parent == controls.group)
              << FindControl(clicked).name << " " << install << "/" << remove << ": "
              << FindControl(focus).name;
          EXPECT_TRUE(view[focus].shown && view[focus].enabled);
        }
      }
    }
  }
}

TEST(KeyboardTest, TheAccessKeyIsMarkedInTheCaption) {
  struct Case {
    C id;
    const char* caption;
    char key;
    const char* marked;
  };
  const Case cases[] = {
      {C::kAdd, "Install", 'I', "&Install"},
      {C::kRemoveAtr, "Remove", 'R', "&Remove"},
      {C::kInstallAtr, "Repair", 'P', "Re&pair"},
      {C::kClose, "Exit", 'X', "E&xit"},
      {C::kPictureAbout, "", 'A', ""},
      {C::kClose, "Fish & Chips", 0, "Fish && Chips"},
      {C::kLabelAtr, "Install", 0, "Install"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AccessKeyOf(FindControl(c.id), c.caption), c.key) << c.caption;
    EXPECT_EQ(WithAccessKeyMark(FindControl(c.id), c.caption), c.marked) << c.caption;
    if (c.key != 0) {
      EXPECT_NE(AllAccessKeys().find(c.key), std::string::npos) << c.key;
    }
  }
}

TEST(KeyboardTest, AFamilysKeyMovesTheFocusWithinTheFocusedGroupThenOn) {
  struct Case {
    char key;
    C focused;
    WindowView view;
    C focus;
  };
  const Case cases[] = {
      {'i', C::kFrame1, View(), C::kAdd},
      {'I', C::kFrame2, View(), C::kInstallAtr},
      {'i', C::kRemoveAtr, View(), C::kInstallAtr},
      {'i', C::kInstallAtr, View(), C::kInstallPmdg},  // on it already: the next group's
      {'i', C::kClose, View(), C::kAdd},               // round the window
      {'i', C::kNone, View(), C::kAdd},
      {'r', C::kFrame2, View({{C::kRemoveAtr, "disabled"}}), C::kRemovePmdg},
      {'r', C::kInstallPic, View({{C::kRemoveCheyenne, "hidden"}}), C::kRemovePic},
      {'p', C::kFrame1, View({{C::kInstallAtr, "Repair"}}), C::kInstallAtr},
      {'i', C::kFrame2, View({{C::kInstallAtr, "Repair"}}), C::kInstallPmdg},
      // The only one offered, and focused already: nothing to do.
      {'i', C::kInstallAtr,
       View({{C::kAdd, "disabled"}, {C::kInstallPmdg, "hidden"}, {C::kInstallPic, "disabled"}}),
       C::kNone},
      {'q', C::kFrame1, View(), C::kNone},
  };
  for (const Case& c : cases) {
    const KeyAction action = ActOnAccessKey(c.key, c.focused, c.view);
    EXPECT_EQ(action.focus, c.focus) << c.key << " on " << FindControl(c.focused).name;
    EXPECT_EQ(action.click, C::kNone) << c.key << " on " << FindControl(c.focused).name;
  }
}

TEST(KeyboardTest, ExitAndAboutAreClickedByTheirKeys) {
  EXPECT_EQ(ActOnAccessKey('x', C::kAdd, View()).click, C::kClose);
  EXPECT_EQ(ActOnAccessKey('A', C::kFrame1, View()).click, C::kPictureAbout);
  EXPECT_EQ(ActOnAccessKey('x', C::kAdd, View({{C::kClose, "disabled"}})).click, C::kNone);
}

// No key, wherever the focus is and whatever is offered, clicks a family's button.
TEST(KeyboardTest, NoKeyClicksAFamilysButton) {
  for (char key = 'A'; key <= 'Z'; ++key) {
    for (const WindowView& view :
         {View(),
          View({{C::kAdd, "disabled"}, {C::kInstallPmdg, "hidden"}, {C::kInstallPic, "hidden"}})}) {
      for (const auto& control : view) {
        const KeyAction action = ActOnAccessKey(key, control.first, view);
        if (action.click != C::kNone) {
          EXPECT_EQ(FindControl(action.click).parent, C::kNone) << key;
        }
      }
    }
  }
}

}  // namespace
}  // namespace ql2
