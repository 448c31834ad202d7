#include "ui/qt/qt_layout.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <cmath>

namespace ql2 {

int TwipsToPixels(int twips) {
  return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixelAt96Dpi)));
}

QRect PixelRect(const ControlSpec& design) {
  return QRect(TwipsToPixels(design.left), TwipsToPixels(design.top), TwipsToPixels(design.width),
               TwipsToPixels(design.height));
}

QRect PixelRect(const TwipsRect& place, double scale) {
  return QRect(ScaledPixels(place.left, scale), ScaledPixels(place.top, scale),
               ScaledPixels(place.width, scale), ScaledPixels(place.height, scale));
}

QSize ClientSize(const WindowSpec& design) {
  return QSize(TwipsToPixels(design.client_width), TwipsToPixels(design.client_height));
}

QFont FormFont(bool bold, double scale) {
  // Families with the old font's metrics come first; fontconfig's sans-serif is the last resort.
  static const QStringList kFamilies = {
      "MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo", "Arial", "Helvetica"};
  QFont font;
  font.setFamilies(kFamilies);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25 * scale);
  font.setBold(bold);
  return font;
}

QString PicturePath(Picture picture) {
  switch (picture) {
    case Picture::kAboutButton:
      return QStringLiteral(":/pictures/about-button.png");
    case Picture::kNotInstalled:
      return QStringLiteral(":/pictures/status-not-installed.png");
    case Picture::kInstalled:
      return QStringLiteral(":/pictures/status-installed.png");
    case Picture::kEdited:
      return QStringLiteral(":/pictures/status-edited.png");
    case Picture::kAboutPicture:
      return QStringLiteral(":/pictures/about-picture.png");
    case Picture::kNone:
      break;
  }
  return QString();
}

QPixmap PicturePixmap(Picture picture) {
  return picture == Picture::kNone ? QPixmap() : QPixmap(PicturePath(picture));
}

QPixmap ScaledPixmap(const QPixmap& picture, double scale, double device_pixel_ratio) {
  const double factor = scale * device_pixel_ratio;
  if (picture.isNull() || factor == 1) return picture;
  QPixmap scaled = picture.scaled(static_cast<int>(std::lround(picture.width() * factor)),
                                  static_cast<int>(std::lround(picture.height() * factor)),
                                  Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  scaled.setDevicePixelRatio(device_pixel_ratio);
  return scaled;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const char* size : {"16", "32", "48"}) {
    icon.addFile(QStringLiteral(":/pictures/icon-%1.png").arg(QLatin1String(size)));
  }
  return icon;
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void CentreOnScreen(QWidget& window) {
  QScreen* screen = window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  const QSize outer = window.frameGeometry().size();
  const double twips = kTwipsPerPixelAt96Dpi;
  const Position position = CenterOnScreen(available.width() * twips, available.height() * twips,
                                           outer.width() * twips, outer.height() * twips);
  window.move(available.x() + TwipsToPixels(position.left),
              available.y() + TwipsToPixels(position.top));
}

}  // namespace ql2
