// Where the main window's controls go, shared by every front end. The control table's places hold
// while every status line's text fits them. A text that needs more room wraps within its line's
// width and the group's shown pictures move down below it; or, when that makes the group shorter
// (a text of many lines), the text goes below the buttons and the pictures, across the group's
// whole width. The group grows, and everything beneath moves down with it. The window is then
// drawn at the largest scale at which it fits the screen.
#pragma once

#include <functional>
#include <map>

#include "app/controls.h"

namespace ql2 {

struct TwipsRect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
};

struct MainWindowLayout {
  double scale = 1;                         // pixels per 15 twips: 1 at 96 dots per inch
  int client_width = 0, client_height = 0;  // twips
  // Every main-window control, relative to its group or to the client area, as in the table.
  std::map<ControlId, TwipsRect> places;

  const TwipsRect& Place(ControlId id) const;
  // The place relative to the client area.
  TwipsRect ClientPlace(ControlId id) const;
};

// The width a status line's text wraps at: its box in the table, ending a little before the group's
// buttons begin.
int StatusLineWidth(const ControlSpec& status);
// The width it wraps at below the buttons: from its left edge to the buttons' right edge.
int FullStatusLineWidth(const ControlSpec& status);

// The height, in twips, the status line's text needs when it wraps at a width (twips), drawn at
// the scale.
using TextHeight = std::function<int(ControlId status, int width, double scale)>;
using IsControlShown = std::function<bool(ControlId id)>;

MainWindowLayout LayOutMainWindow(double scale, const TextHeight& text_height,
                                  const IsControlShown& shown);

// Pixels at a scale: twips * scale / 15, to the nearest.
int ScaledPixels(int twips, double scale);

// The room the window has on its screen, in pixels: the screen's available area, and the frame
// the window system draws around the client area.
struct ScreenRoom {
  int width = 0, height = 0;
  int frame_width = 0, frame_height = 0;
};

// The layout at the preferred scale when the window fits the room there, else at the largest
// smaller scale, in steps of an eighth, at which it fits; never below half the preferred scale.
MainWindowLayout FitMainWindow(double preferred, const ScreenRoom& room,
                               const TextHeight& text_height, const IsControlShown& shown);

}  // namespace ql2
