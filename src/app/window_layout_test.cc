#include "app/window_layout.h"

#include <gtest/gtest.h>

#include <set>

namespace ql2 {
namespace {

using C = ControlId;

// One line of the old font: 13 pixels.
constexpr int kLine = 195;

TextHeight Heights(std::map<C, int> heights) {
  return [heights](C status, int, double) {
    auto it = heights.find(status);
    return it == heights.end() ? kLine : it->second;
  };
}

// Texts of these lengths (twips of text on one line), wrapped into whole lines at the width asked.
TextHeight Lengths(std::map<C, int> lengths) {
  return [lengths](C status, int width, double) {
    auto it = lengths.find(status);
    if (it == lengths.end()) return kLine;
    return (it->second + width - 1) / width * kLine;
  };
}

IsControlShown Shown(std::set<C> shown) {
  return [shown](C id) { return shown.count(id) != 0; };
}

// The window's height in the table: the families' and the buttons' 8130 twips, and the folder line
// beneath them.
const int kHeight = FindWindow(WindowId::kMain).client_height;

const std::set<C> kNotInstalledIcons = {C::kPictureCheNot, C::kPictureAtrNot, C::kPicturePmdgNot,
                                        C::kPicturePicNot};

TEST(WindowLayoutTest, TextsThatFitKeepTheTablesPlaces) {
  const MainWindowLayout layout = LayOutMainWindow(1, Heights({}), Shown(kNotInstalledIcons));
  EXPECT_EQ(layout.client_width, 6390);
  EXPECT_EQ(layout.client_height, kHeight);
  for (const ControlSpec& design : ControlTable()) {
    if (design.window != WindowId::kMain) continue;
    const TwipsRect place = layout.Place(design.id);
    EXPECT_EQ(place.left, design.left) << design.name;
    EXPECT_EQ(place.top, design.top) << design.name;
    EXPECT_EQ(place.height, design.height) << design.name;
    // A status line's text ends a little before the buttons (the table's box reaches 15 twips
    // under them).
    EXPECT_EQ(place.width, IsStatusLine(design) ? 4020 : design.width) << design.name;
  }
  // The ATR's two-line "edited" text above its edited picture, as designed.
  const MainWindowLayout edited =
      LayOutMainWindow(1, Heights({{C::kLabelAtr, 2 * kLine}}), Shown({C::kPictureCorAtr}));
  EXPECT_EQ(edited.client_height, kHeight);
  EXPECT_EQ(edited.Place(C::kPictureCorAtr).top, 720);
}

// A text that needs more room pushes the group's shown pictures below it; the group, the groups
// beneath and Exit move down as far, and nothing overlaps the text.
TEST(WindowLayoutTest, ALongTextGrowsItsGroupAndMovesWhatLiesBelow) {
  struct Case {
    C status;
    int height;
    std::set<C> shown;
    int growth;
  };
  const Case cases[] = {
      {C::kLabel1, 3 * kLine, {C::kPictureCheNot}, 360 + 3 * kLine + 60 - 720},
      // The ATR's pictures stand higher than the others, above room left for its edited one.
      {C::kLabelAtr, 3 * kLine, {C::kPictureInsAtr}, 240 + 3 * kLine + 60 - 600 - 120},
      {C::kLabelPic, 3 * kLine, {}, 0},  // no picture to move, room enough in the group
      {C::kLabelPmdg, 2000, {}, 360 + 2000 + 195 - 1335},
  };
  for (const Case& c : cases) {
    const MainWindowLayout layout =
        LayOutMainWindow(1, Heights({{c.status, c.height}}), Shown(c.shown));
    const ControlSpec& status = FindControl(c.status);
    const ControlSpec& group = FindControl(status.parent);
    EXPECT_EQ(layout.client_height, kHeight + c.growth) << status.name;
    EXPECT_EQ(layout.Place(C::kLabelFolder).top, 8040 + c.growth) << status.name;
    EXPECT_EQ(layout.Place(group.id).height, group.height + c.growth) << status.name;
    EXPECT_EQ(layout.Place(C::kClose).top, 7560 + c.growth) << status.name;
    EXPECT_EQ(layout.Place(C::kFrame1).top, 1440) << status.name;
    if (group.id != C::kFrame4) {
      EXPECT_EQ(layout.Place(C::kFrame4).top, 5760 + c.growth) << status.name;
    }
    const TwipsRect text = layout.Place(c.status);
    EXPECT_GE(text.height, c.height) << status.name;
    for (const ControlSpec& other : ControlTable()) {
      if (other.parent != group.id || other.id == c.status) continue;
      const TwipsRect place = layout.Place(other.id);
      const bool visible = other.kind == ControlKind::kButton || c.shown.count(other.id) != 0;
      if (visible) {
        EXPECT_LE(place.bottom(), layout.Place(group.id).height - 195) << other.name;
      }
      const bool apart = text.top + c.height <= place.top || text.right() <= place.left;
      EXPECT_TRUE(!visible || apart) << other.name << " covers " << status.name;
    }
  }
}

// A text of many lines is shorter across the whole group than beside the buttons: it goes below
// the buttons and the pictures, which keep their places; a text of a few lines stays beside them.
TEST(WindowLayoutTest, AVeryLongTextTakesTheGroupsWidthBelowTheButtons) {
  const int full = FullStatusLineWidth(FindControl(C::kLabel1));
  EXPECT_EQ(full, 4320 + 1215 - 240);  // to the buttons' right edge
  struct Case {
    int lines_beside;  // the text's lines at the width beside the buttons
    bool below;
  };
  for (const Case c : {Case{3, false}, Case{6, false}, Case{12, true}, Case{20, true}}) {
    SCOPED_TRACE(c.lines_beside);
    const int length = c.lines_beside * 4020;
    const MainWindowLayout layout =
        LayOutMainWindow(1, Lengths({{C::kLabel1, length}}), Shown({C::kPictureCheNot}));
    const TwipsRect text = layout.Place(C::kLabel1);
    const TwipsRect picture = layout.Place(C::kPictureCheNot);
    const int beside_growth = 360 + c.lines_beside * kLine + 60 + 420 + 195 - 1335;
    if (!c.below) {
      EXPECT_EQ(text.width, 4020);
      EXPECT_EQ(layout.client_height, kHeight + beside_growth);
      continue;
    }
    const int lines = (length + full - 1) / full;
    EXPECT_EQ(text.width, full);
    EXPECT_EQ(text.height, lines * kLine);
    EXPECT_EQ(picture.top, 720) << "the picture keeps its place";
    EXPECT_EQ(text.top, 720 + 420 + 60) << "below the picture, which lies lower than the buttons";
    const int growth = text.bottom() + 195 - 1335;
    EXPECT_EQ(layout.client_height, kHeight + growth);
    EXPECT_LT(growth, beside_growth);
    for (C id : {C::kAdd, C::kRemoveCheyenne, C::kPictureCheNot}) {
      EXPECT_LE(layout.Place(id).bottom(), text.top) << FindControl(id).name;
    }
  }
}

TEST(WindowLayoutTest, TheWindowFallsBackToAScaleAtWhichItFitsTheScreen) {
  struct Case {
    double preferred;
    ScreenRoom room;
    double scale;
  };
  const Case cases[] = {
      {1, {1280, 1024, 8, 30}, 1},
      {2, {1280, 1024, 8, 30}, 1.625},  // 200 % on 1280 x 1024: 1198 pixels high, too many
      {1.25, {1024, 768, 8, 30}, 1.25},
      {1.3, {1024, 720, 8, 30}, 1.125},  // the steps are eighths
      {2, {200, 200, 8, 30}, 1},         // never below half
  };
  for (const Case& c : cases) {
    std::set<double> measured;
    const TextHeight heights = [&measured](C, int, double scale) {
      measured.insert(scale);
      return kLine;
    };
    const MainWindowLayout layout = FitMainWindow(c.preferred, c.room, heights, Shown({}));
    EXPECT_DOUBLE_EQ(layout.scale, c.scale) << c.preferred << " " << c.room.height;
    EXPECT_EQ(measured.count(c.scale), 1u) << "the texts are measured at the scale used";
  }
  // Grown texts count: what fits at 1.625 with short texts needs a smaller scale with long ones.
  const MainWindowLayout grown =
      FitMainWindow(2, {1280, 1024, 8, 30}, Heights({{C::kLabel1, 1500}}), Shown({}));
  EXPECT_LT(grown.scale, 1.625);
  EXPECT_LE(ScaledPixels(grown.client_height, grown.scale) + 30, 1024);
}

}  // namespace
}  // namespace ql2
