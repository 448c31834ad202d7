// What both Qt windows share: twips to pixels, the windows' font, the pictures, and centring on
// the screen. Pixels here are Qt's device-independent pixels, so high-dpi screens scale the
// windows as a whole.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>
#include <string_view>

#include "app/controls.h"
#include "app/window_layout.h"

class QWidget;

namespace ql2 {

// 15 twips per pixel: the windows are laid out for 96 dots per inch.
int TwipsToPixels(int twips);
QRect PixelRect(const ControlSpec& design);
QSize ClientSize(const WindowSpec& design);
// A place of a layout in pixels at the layout's scale.
QRect PixelRect(const TwipsRect& place, double scale);

// A sans-serif stand-in for the 8.25-point "MS Sans Serif" the windows were drawn with, at the
// scale; the group captions use it in bold.
QFont FormFont(bool bold = false, double scale = 1);

// The resource path of a picture (":/pictures/...png"), "" for Picture::kNone.
QString PicturePath(Picture picture);
QPixmap PicturePixmap(Picture picture);
// The picture drawn `scale` times its size, sharp on a screen of that device pixel ratio.
QPixmap ScaledPixmap(const QPixmap& picture, double scale, double device_pixel_ratio);
// The window icon in its three sizes.
QIcon ProgramIcon();

QString ToQString(std::string_view text);

// Moves a top-level window to the middle of its screen's available area by CenterOnScreen's rule,
// with both sizes taken in twips. Before a window is first shown its frame is unknown and its
// client size stands for its outer size.
void CentreOnScreen(QWidget& window);

}  // namespace ql2
