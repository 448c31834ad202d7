#include "app/window_layout.h"

#include <algorithm>
#include <cmath>

namespace ql2 {
namespace {

constexpr double kScaleStep = 0.125;
// Between a status line's text and the buttons beside it, or the pictures it pushes down.
constexpr int kTextGap = 60;

TwipsRect TableRect(const ControlSpec& design) {
  return {design.left, design.top, design.width, design.height};
}

bool InGroup(const ControlSpec& design, ControlId group) {
  return design.window == WindowId::kMain && design.parent == group;
}

// How much taller a group must be for its status line's text; places the group's controls. The
// text stays beside the buttons, moving the shown pictures below it, unless it is shorter to put
// it below everything, across the group.
int LayOutGroup(const ControlSpec& group, double scale, const TextHeight& text_height,
                const IsControlShown& shown, std::map<ControlId, TwipsRect>& places) {
  // The room the table leaves beneath the group's lowest control.
  int design_bottom = 0;
  const ControlSpec* status = nullptr;
  int pictures_top = -1;
  int pictures_bottom = 0;
  int buttons_bottom = 0;
  for (const ControlSpec& design : ControlTable()) {
    if (!InGroup(design, group.id)) continue;
    places[design.id] = TableRect(design);
    const int bottom = design.top + design.height;
    if (design.kind != ControlKind::kLabel) design_bottom = std::max(design_bottom, bottom);
    if (IsStatusLine(design)) {
      status = &design;
    } else if (design.kind == ControlKind::kPicture && shown(design.id)) {
      pictures_top = pictures_top < 0 ? design.top : std::min(pictures_top, design.top);
      pictures_bottom = std::max(pictures_bottom, bottom);
    } else if (design.kind == ControlKind::kButton) {
      buttons_bottom = std::max(buttons_bottom, bottom);
    }
  }
  const int margin = group.height - design_bottom;
  if (status == nullptr) return std::max(0, design_bottom + margin - group.height);

  const int beside = text_height(status->id, StatusLineWidth(*status), scale);
  const int status_bottom = status->top + beside;
  const int shift = pictures_top < 0 || status_bottom <= pictures_top
                        ? 0
                        : status_bottom + kTextGap - pictures_top;
  const int beside_bottom =
      std::max({status_bottom, buttons_bottom, pictures_top < 0 ? 0 : pictures_bottom + shift});
  if (beside > status->height) {
    const int below_top = std::max(buttons_bottom, pictures_bottom) + kTextGap;
    const int below = text_height(status->id, FullStatusLineWidth(*status), scale);
    if (below_top + below < beside_bottom) {
      places[status->id] = {status->left, below_top, FullStatusLineWidth(*status), below};
      return std::max(0, below_top + below + margin - group.height);
    }
  }
  places[status->id] = {status->left, status->top, StatusLineWidth(*status),
                        std::max(status->height, beside)};
  for (const ControlSpec& design : ControlTable()) {
    if (InGroup(design, group.id) && design.kind == ControlKind::kPicture) {
      places[design.id].top += shift;
    }
  }
  return std::max(0, beside_bottom + margin - group.height);
}

}  // namespace

const TwipsRect& MainWindowLayout::Place(ControlId id) const {
  static const TwipsRect kNowhere;
  auto it = places.find(id);
  return it == places.end() ? kNowhere : it->second;
}

TwipsRect MainWindowLayout::ClientPlace(ControlId id) const {
  TwipsRect place = Place(id);
  const ControlId parent = FindControl(id).parent;
  if (parent != ControlId::kNone) {
    place.left += Place(parent).left;
    place.top += Place(parent).top;
  }
  return place;
}

int StatusLineWidth(const ControlSpec& status) {
  int right = status.left + status.width;
  for (const ControlSpec& design : ControlTable()) {
    if (InGroup(design, status.parent) && design.kind == ControlKind::kButton &&
        design.left > status.left) {
      right = std::min(right, design.left - kTextGap);
    }
  }
  return right - status.left;
}

int FullStatusLineWidth(const ControlSpec& status) {
  int right = status.left + status.width;
  for (const ControlSpec& design : ControlTable()) {
    if (InGroup(design, status.parent) && design.kind == ControlKind::kButton) {
      right = std::max(right, design.left + design.width);
    }
  }
  return right - status.left;
}

MainWindowLayout LayOutMainWindow(double scale, const TextHeight& text_height,
                                  const IsControlShown& shown) {
  MainWindowLayout layout;
  layout.scale = scale;
  const WindowSpec& window = FindWindow(WindowId::kMain);
  layout.client_width = window.client_width;
  std::map<ControlId, int> growths;
  int total = 0;
  for (const ControlSpec& design : ControlTable()) {
    if (design.window != WindowId::kMain || design.kind != ControlKind::kGroup) continue;
    growths[design.id] = LayOutGroup(design, scale, text_height, shown, layout.places);
    total += growths[design.id];
  }
  layout.client_height = window.client_height + total;
  // A group grows downwards, and whatever lies below it in the table moves down as far.
  for (const ControlSpec& design : ControlTable()) {
    if (design.window != WindowId::kMain || design.parent != ControlId::kNone) continue;
    TwipsRect place = TableRect(design);
    for (const auto& growth : growths) {
      const ControlSpec& group = FindControl(growth.first);
      if (group.top + group.height <= design.top) place.top += growth.second;
      if (group.id == design.id) place.height += growth.second;
    }
    layout.places[design.id] = place;
  }
  return layout;
}

int ScaledPixels(int twips, double scale) {
  return static_cast<int>(std::lround(twips * scale / kTwipsPerPixelAt96Dpi));
}

MainWindowLayout FitMainWindow(double preferred, const ScreenRoom& room,
                               const TextHeight& text_height, const IsControlShown& shown) {
  auto fits = [&room](const MainWindowLayout& layout) {
    return ScaledPixels(layout.client_width, layout.scale) + room.frame_width <= room.width &&
           ScaledPixels(layout.client_height, layout.scale) + room.frame_height <= room.height;
  };
  MainWindowLayout layout = LayOutMainWindow(preferred, text_height, shown);
  double scale = std::ceil(preferred / kScaleStep) * kScaleStep;
  while (!fits(layout)) {
    scale -= kScaleStep;
    if (scale >= preferred) continue;
    if (scale < preferred / 2) break;
    layout = LayOutMainWindow(scale, text_height, shown);
  }
  return layout;
}

}  // namespace ql2
