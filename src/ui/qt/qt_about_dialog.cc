#include "ui/qt/qt_about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <vector>

#include "app/controls.h"
#include "app/keyboard.h"
#include "ui/qt/qt_layout.h"

namespace ql2 {

QtAboutDialog::QtAboutDialog(std::function<void()> open_manual, QWidget* parent) : QDialog(parent) {
  const WindowSpec& window = FindWindow(WindowId::kAbout);
  setWindowTitle(ToQString(window.caption));
  setFixedSize(ClientSize(window));
  setFont(FormFont());
  setModal(true);

  // Labels lie beneath the picture and the button above it, as windowless labels and windowed
  // controls stack.
  QWidget* picture = nullptr;
  QPushButton* ok = nullptr;
  std::vector<QPushButton*> buttons;
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
        auto* button = new QPushButton(ToQString(WithAccessKeyMark(design, design.caption)), this);
        button->setAutoDefault(false);
        buttons.push_back(button);
        if (design.id == ControlId::kAboutCmdOk) ok = button;
        if (design.id == ControlId::kAboutManual)
          connect(button, &QPushButton::clicked, this, open_manual);
        widget = button;
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
  for (QPushButton* button : buttons) button->raise();
  if (ok != nullptr) {
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  }
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, open_manual);
}

void QtAboutDialog::showEvent(QShowEvent* event) {
  CentreOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace ql2
