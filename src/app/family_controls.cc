#include "app/family_controls.h"

namespace ql2 {
namespace {

using C = ControlId;

struct Row {
  const Family& (*family)();
  FamilyControls controls;
};

const std::vector<Row>& Rows() {
  // clang-format off
  static const std::vector<Row> rows = {
      // family         group       status        not installed        installed            edited               install          remove               keeps not  only present
      {&CheyenneFamily, {C::kFrame1, C::kLabel1,   C::kPictureCheNot,  C::kPictureInsChe,  C::kPictureCorChe,  C::kAdd,         C::kRemoveCheyenne,  false,     false}},
      {&AtrFamily,      {C::kFrame2, C::kLabelAtr, C::kPictureAtrNot,  C::kPictureInsAtr,  C::kPictureCorAtr,  C::kInstallAtr,  C::kRemoveAtr,       false,     true}},
      {&PmdgFamily,     {C::kFrame3, C::kLabelPmdg, C::kPicturePmdgNot, C::kPictureInsPmdg, C::kPictureCorPmdg, C::kInstallPmdg, C::kRemovePmdg,      true,      false}},
      {&PicFamily,      {C::kFrame4, C::kLabelPic, C::kPicturePicNot,  C::kPictureInsPic,  C::kPictureCorPic,  C::kInstallPic,  C::kRemovePic,       false,     false}},
  };
  // clang-format on
  return rows;
}

}  // namespace

const FamilyControls& ControlsOf(const Family& family) {
  for (const Row& row : Rows()) {
    if (&row.family() == &family) return row.controls;
  }
  return Rows().front().controls;  // every family has a row
}

}  // namespace ql2
