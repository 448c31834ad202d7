#include "ui/qt/qt_about_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "app/controls.h"
#include "ui/qt/qt_layout.h"

namespace ql2 {

QtAboutDialog::QtAboutDialog(QWidget* parent) : QDialog(parent) {
  const WindowSpec& window = FindWindow(WindowId::kAbout);
  setWindowTitle(ToQString(window.caption));
  setFixedSize(ClientSize(window));
  setFont(FormFont());
  setModal(true);

  // Labels lie beneath the picture and the button above it, as windowless labels and windowed
  // controls stack.
  QWidget* picture = nullptr;
  QPushButton* ok = nullptr;
  for (const ControlSpec& design : ControlTable()) {
    if (design.window != WindowId::kAbout) continue;
    QWidget* widget = nullptr;
    switch (design.kind) {
      case ControlKind::kLabel: {
        auto* label = new QLabel(ToQString(design.caption), this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
      }
      case ControlKind::kPicture: {
        auto* label = new QLabel(this);
        label->setPixmap(PicturePixmap(design.picture));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = picture = label;
        break;
      }
      case ControlKind::kButton: {
        ok = new QPushButton(ToQString(design.caption), this);
        widget = ok;
        break;
      }
      case ControlKind::kGroup:
        break;
    }
    if (widget == nullptr) continue;
    widget->setObjectName(ToQString(design.name));
    widget->setGeometry(PixelRect(design));
  }
  if (picture != nullptr) picture->raise();
  if (ok != nullptr) {
    ok->raise();
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  }
}

void QtAboutDialog::showEvent(QShowEvent* event) {
  CentreOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace ql2
