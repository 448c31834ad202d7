#include "app/controls.h"

#include <gtest/gtest.h>

#include <set>

namespace ql2 {
namespace {

TEST(CenterOnScreenTest, HalvesTheRoundedDifferenceTowardZero) {
  struct Case {
    double screen_w, screen_h, window_w, window_h;
    int left, top;
  };
  const Case cases[] = {
      {19200, 16200, 6390, 8130, 6405, 4035},      // 1280x1080 screen, the main window
      {19200, 16200, 6391, 8131, 6404, 4034},      // odd differences drop the remainder
      {19200, 16200, 6390.4, 8129.6, 6405, 4035},  // fractions round to the nearest twip first
      {6000, 6000, 6390, 8130, -195, -1065},       // larger than the screen: negative, toward zero
      {6000, 6000, 6391, 8131, -195, -1065},
  };
  for (const Case& c : cases) {
    Position p = CenterOnScreen(c.screen_w, c.screen_h, c.window_w, c.window_h);
    EXPECT_EQ(p.left, c.left) << c.screen_w << " " << c.window_w;
    EXPECT_EQ(p.top, c.top) << c.screen_h << " " << c.window_h;
  }
}

TEST(ControlTableTest, NamesAreUniquePerWindowAndChildrenFitTheirGroup) {
  std::set<std::pair<WindowId, std::string_view>> names;
  for (const ControlSpec& design : ControlTable()) {
    EXPECT_TRUE(names.insert({design.window, design.name}).second) << design.name;
    if (design.parent == ControlId::kNone || !design.visible) continue;
    const ControlSpec& group = FindControl(design.parent);
    EXPECT_EQ(group.kind, ControlKind::kGroup) << design.name;
    EXPECT_LE(design.left + design.width, group.width) << design.name;
    EXPECT_LE(design.top + design.height, group.height) << design.name;
  }
}

TEST(ControlTableTest, OverlappingIconsStackAsTheWindowDrawsThem) {
  auto above = [](ControlId upper, ControlId lower) {
    return FindControl(upper).stacking > FindControl(lower).stacking;
  };
  EXPECT_TRUE(above(ControlId::kPictureCheNot, ControlId::kPictureInsChe));
  EXPECT_TRUE(above(ControlId::kPictureAtrNot, ControlId::kPictureInsAtr));
  EXPECT_TRUE(above(ControlId::kPictureInsAtr, ControlId::kPictureCorAtr));
  EXPECT_TRUE(above(ControlId::kPictureInsPmdg, ControlId::kPicturePmdgNot));
  EXPECT_TRUE(above(ControlId::kPicturePicNot, ControlId::kPictureInsPic));
  EXPECT_EQ(FindControl(ControlId::kPictureCorAtr).top,
            FindControl(ControlId::kPictureInsAtr).top + 120);
}

// The lines the logic writes progress and state to are the four family labels, not the hidden
// scratch labels of the main window nor the About window's texts.
TEST(ControlTableTest, StatusLinesAreTheFamilyLabels) {
  std::set<ControlId> lines;
  for (const ControlSpec& design : ControlTable()) {
    if (IsStatusLine(design)) lines.insert(design.id);
  }
  EXPECT_EQ(lines, (std::set<ControlId>{ControlId::kLabel1, ControlId::kLabelAtr,
                                        ControlId::kLabelPmdg, ControlId::kLabelPic}));
}

}  // namespace
}  // namespace ql2
