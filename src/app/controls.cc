#include "app/controls.h"

#include <cmath>

#include "app/texts.h"

namespace ql2 {
namespace {

using K = ControlKind;
using C = ControlId;
using P = Picture;
constexpr WindowId kMain = WindowId::kMain;
constexpr WindowId kAbout = WindowId::kAbout;

// The hidden labels sit at the right edge of the client area, out of sight.
constexpr int kHiddenLeft = 6390;

const std::vector<ControlSpec>& Table() {
  // clang-format off
  static const std::vector<ControlSpec> table = {
      {C::kPictureAbout, kMain, "pictureAbout", K::kPicture, "", 5520, 0, 915, 285, C::kNone, true, P::kAboutButton, 0},
      {C::kFrame1, kMain, "Frame1", K::kGroup, "Piper Cheyenne ", 240, 1440, 5775, 1335, C::kNone, true, P::kNone, 0},
      {C::kFrame2, kMain, "Frame2", K::kGroup, "ATR-72-500 ", 240, 2880, 5775, 1335, C::kNone, true, P::kNone, 0},
      {C::kFrame3, kMain, "Frame3", K::kGroup, "Boeing 737 NG", 240, 4320, 5775, 1335, C::kNone, true, P::kNone, 0},
      {C::kFrame4, kMain, "Frame4", K::kGroup, "Boeing 737 Classics (PIC)", 240, 5760, 5775, 1335, C::kNone, true, P::kNone, 0},

      {C::kLabel1, kMain, "Label1", K::kLabel, "", 240, 360, 4095, 495, C::kFrame1, true, P::kNone, 0},
      {C::kPictureCheNot, kMain, "pictureCheNot", K::kPicture, "", 360, 720, 2055, 420, C::kFrame1, false, P::kNotInstalled, 2},
      {C::kPictureInsChe, kMain, "pictureInsChe", K::kPicture, "", 360, 720, 2055, 420, C::kFrame1, false, P::kInstalled, 1},
      {C::kPictureCorChe, kMain, "pictureCorChe", K::kPicture, "", 360, 720, 2055, 420, C::kFrame1, false, P::kEdited, 0},
      {C::kAdd, kMain, "Add", K::kButton, "Install", 4320, 240, 1215, 375, C::kFrame1, true, P::kNone, 0},
      {C::kRemoveCheyenne, kMain, "RemoveCheyenne", K::kButton, "Remove", 4320, 720, 1215, 375, C::kFrame1, true, P::kNone, 0},

      {C::kLabelAtr, kMain, "labelATR", K::kLabel, "", 240, 240, 4095, 495, C::kFrame2, true, P::kNone, 0},
      {C::kPictureAtrNot, kMain, "pictureATRNot", K::kPicture, "", 360, 600, 2055, 420, C::kFrame2, false, P::kNotInstalled, 3},
      {C::kPictureInsAtr, kMain, "pictureInsAtr", K::kPicture, "", 360, 600, 2055, 420, C::kFrame2, false, P::kInstalled, 2},
      {C::kPictureCorAtr, kMain, "pictureCorAtr", K::kPicture, "", 360, 720, 2055, 420, C::kFrame2, false, P::kEdited, 1},
      {C::kInstallAtr, kMain, "installATR", K::kButton, "Install", 4320, 240, 1215, 375, C::kFrame2, true, P::kNone, 0},
      {C::kRemoveAtr, kMain, "removeATR", K::kButton, "Remove", 4320, 720, 1215, 375, C::kFrame2, true, P::kNone, 0},

      {C::kLabelPmdg, kMain, "labelPMDG", K::kLabel, "", 240, 360, 4095, 495, C::kFrame3, true, P::kNone, 0},
      {C::kPictureInsPmdg, kMain, "PictureInsPMDG", K::kPicture, "", 360, 720, 2055, 420, C::kFrame3, false, P::kInstalled, 2},
      {C::kPicturePmdgNot, kMain, "picturePMDGNot", K::kPicture, "", 360, 720, 2055, 420, C::kFrame3, false, P::kNotInstalled, 1},
      {C::kPictureCorPmdg, kMain, "pictureCorPMDG", K::kPicture, "", 360, 720, 2055, 420, C::kFrame3, false, P::kEdited, 0},
      {C::kInstallPmdg, kMain, "installPMDG", K::kButton, "Install", 4320, 240, 1215, 375, C::kFrame3, true, P::kNone, 0},
      {C::kRemovePmdg, kMain, "removePMDG", K::kButton, "Remove", 4320, 720, 1215, 375, C::kFrame3, true, P::kNone, 0},

      {C::kLabelPic, kMain, "labelPIC", K::kLabel, "", 240, 360, 4095, 495, C::kFrame4, true, P::kNone, 0},
      {C::kPicturePicNot, kMain, "picturePICNot", K::kPicture, "", 360, 720, 2055, 420, C::kFrame4, false, P::kNotInstalled, 2},
      {C::kPictureInsPic, kMain, "PictureInsPIC", K::kPicture, "", 360, 720, 2055, 420, C::kFrame4, false, P::kInstalled, 1},
      {C::kPictureCorPic, kMain, "pictureCorPIC", K::kPicture, "", 360, 720, 2055, 420, C::kFrame4, false, P::kEdited, 0},
      {C::kInstallPic, kMain, "installPIC", K::kButton, "Install", 4320, 240, 1215, 375, C::kFrame4, true, P::kNone, 0},
      {C::kRemovePic, kMain, "removePIC", K::kButton, "Remove", 4320, 720, 1215, 375, C::kFrame4, true, P::kNone, 0},

      {C::kClose, kMain, "close", K::kButton, "Exit", 2520, 7560, 1215, 375, C::kNone, true, P::kNone, 0},
      {C::kLabel3, kMain, "Label3", K::kLabel, "", kHiddenLeft, 0, 1215, 255, C::kNone, false, P::kNone, 0},
      {C::kChooseFolder, kMain, "chooseFolder", K::kButton, "Choose folder...", 240, 7560, 2055, 375, C::kNone, false, P::kNone, 0},
      {C::kLabel2, kMain, "Label2", K::kLabel, "", kHiddenLeft, 255, 1215, 255, C::kNone, false, P::kNone, 0},
      {C::kLabelFolder, kMain, "labelFolder", K::kLabel, "", 240, 8040, 5775, 600, C::kNone, true, P::kNone, 0},

      {C::kAboutLabel1, kAbout, "Label1", K::kLabel, "Quillever2 Configurator", 120, 120, 3255, 255, C::kNone, true, P::kNone, 0},
      {C::kAboutLabel2, kAbout, "Label2", K::kLabel, "Version 2.0", 120, 480, 4095, 375, C::kNone, true, P::kNone, 0},
      {C::kAboutLabel3, kAbout, "Label3", K::kLabel, "By Tamsel", 120, 840, 4335, 255, C::kNone, true, P::kNone, 0},
      {C::kAboutPicture1, kAbout, "Picture1", K::kPicture, "", 2400, 0, 3000, 1500, C::kNone, true, P::kAboutPicture, 0},
      {C::kAboutCmdOk, kAbout, "cmdOK", K::kButton, "OK", 1920, 1080, 1260, 345, C::kNone, true, P::kNone, 0},
      // Opens the user manual, as F1 does.
      {C::kAboutManual, kAbout, "cmdManual", K::kButton, "User manual", 120, 1080, 1260, 345, C::kNone, true, P::kNone, 0},
  };
  // clang-format on
  return table;
}

}  // namespace

const std::vector<ControlSpec>& ControlTable() {
  return Table();
}

const ControlSpec& FindControl(ControlId id) {
  for (const ControlSpec& design : Table()) {
    if (design.id == id) return design;
  }
  static const ControlSpec kNoControl{C::kNone, kMain, "",       K::kLabel, "",       0, 0,
                                      0,        0,     C::kNone, false,     P::kNone, 0};
  return kNoControl;
}

const WindowSpec& FindWindow(WindowId id) {
  static const WindowSpec kMainWindow{WindowId::kMain, "QL2 Configurator", 6390, 8760};
  static const WindowSpec kAboutWindow{WindowId::kAbout, " About Configurator", 5385, 1500};
  return id == WindowId::kMain ? kMainWindow : kAboutWindow;
}

PictureWords WordsOf(Picture picture) {
  switch (picture) {
    case P::kAboutButton:
      return {"About", "About the Configurator (Alt+A)"};
    case P::kNotInstalled:
      return {"Not installed", "The gauge is not installed in this aircraft."};
    case P::kInstalled:
      return {"Installed", "The gauge is installed in this aircraft."};
    case P::kEdited:
      return {"Corrupted",
              "The panel file has lost the gauge's window. Repair installs the gauge again."};
    case P::kAboutPicture:
      return {"Quillever2", ""};
    case P::kNone:
      break;
  }
  return {"", ""};
}

bool IsStatusLine(const ControlSpec& design) {
  return design.kind == ControlKind::kLabel && design.parent != ControlId::kNone;
}

bool IsFamilyButton(const ControlSpec& design) {
  return design.kind == ControlKind::kButton && design.parent != ControlId::kNone;
}

std::string_view TooltipOf(const ControlSpec& design) {
  if (design.kind == ControlKind::kPicture) return WordsOf(design.picture).tooltip;
  return IsFamilyButton(design) ? texts::kFamilyButtonTooltip : std::string_view();
}

Position CenterOnScreen(double screen_width, double screen_height, double window_width,
                        double window_height) {
  // Rounding to even, as the window system rounds a twip value to a whole number.
  auto half = [](double difference) { return static_cast<int>(std::nearbyint(difference)) / 2; };
  return {half(screen_width - window_width), half(screen_height - window_height)};
}

}  // namespace ql2
