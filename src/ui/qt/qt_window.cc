#include "ui/qt/qt_window.h"

#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <functional>
#include <vector>

#include "ui/qt/qt_about_dialog.h"
#include "ui/qt/qt_layout.h"

namespace ql2 {
namespace {

// A picture that reports a click: a press and a release of the left button on it.
class ClickablePicture : public QLabel {
 public:
  ClickablePicture(QWidget* parent, std::function<void()> on_click)
      : QLabel(parent), on_click_(std::move(on_click)) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
      on_click_();
    }
    QLabel::mouseReleaseEvent(event);
  }

 private:
  std::function<void()> on_click_;
};

// A group drawn as the old window system drew it: an etched frame whose top line runs through the
// middle of the caption. (Qt's own group boxes put the caption above the frame, over the first row
// of controls laid out for the old look.)
class EtchedGroup : public QGroupBox {
 public:
  EtchedGroup(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect frame = rect().adjusted(0, metrics.height() / 2, 0, 0);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -2, -2));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, -1, -1));
    if (title().isEmpty()) return;
    const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionGap,
                        metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
  }

 private:
  static constexpr int kCaptionLeft = 6;
  static constexpr int kCaptionGap = 2;
};

// The message box shows the logic's text; its CR LF line break is the window system's "\n".
QString WithPlainLineBreaks(std::string_view text) {
  QString result = ToQString(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return result;
}

}  // namespace

QtMainWindow::QtMainWindow(QWidget* parent)
    : QWidget(parent), banner_(QStringLiteral(":/pictures/banner.png")) {
  const WindowSpec& window = FindWindow(WindowId::kMain);
  setWindowTitle(ToQString(window.caption));
  setFixedSize(ClientSize(window));
  setFont(FormFont());
  for (const ControlSpec& design : ControlTable()) {
    if (design.window == WindowId::kMain) Create(design);
  }
  ApplyStacking(this);
  for (const auto& entry : widgets_) {
    if (FindControl(entry.first).kind == ControlKind::kGroup) ApplyStacking(entry.second);
  }
}

void QtMainWindow::Create(const ControlSpec& design) {
  QWidget* parent = design.parent == ControlId::kNone ? this : Control(design.parent);
  QWidget* widget = nullptr;
  switch (design.kind) {
    case ControlKind::kGroup: {
      auto* group = new EtchedGroup(ToQString(design.caption), parent);
      group->setFont(FormFont(/*bold=*/true));
      widget = group;
      break;
    }
    case ControlKind::kLabel: {
      auto* label = new QLabel(ToQString(design.caption), parent);
      label->setFont(FormFont());
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      widget = label;
      break;
    }
    case ControlKind::kPicture: {
      const ControlId id = design.id;
      auto* picture = new ClickablePicture(parent, [this, id] {
        if (logic_ != nullptr) logic_->Click(id);
      });
      picture->setPixmap(PicturePixmap(design.picture));
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      if (design.picture == Picture::kAboutButton) picture->setCursor(Qt::PointingHandCursor);
      widget = picture;
      break;
    }
    case ControlKind::kButton: {
      auto* button = new QPushButton(ToQString(design.caption), parent);
      button->setFont(FormFont());
      button->setAutoDefault(false);
      const ControlId id = design.id;
      QObject::connect(button, &QPushButton::clicked, button, [this, id] {
        if (logic_ != nullptr) logic_->Click(id);
      });
      widget = button;
      break;
    }
  }
  widget->setObjectName(ToQString(design.name));
  widget->setGeometry(PixelRect(design));
  widget->setVisible(design.visible);
  widgets_[design.id] = widget;
  captions_[design.id] = std::string(design.caption);
}

// Overlapping controls are drawn in the table's stacking order, the highest on top; a status line
// that has grown past its box lies above everything in its group so that none of it is covered.
void QtMainWindow::ApplyStacking(QWidget* parent) {
  std::vector<const ControlSpec*> children;
  for (const ControlSpec& design : ControlTable()) {
    if (design.window == WindowId::kMain && Control(design.id)->parentWidget() == parent) {
      children.push_back(&design);
    }
  }
  std::stable_sort(
      children.begin(), children.end(),
      [](const ControlSpec* a, const ControlSpec* b) { return a->stacking < b->stacking; });
  for (const ControlSpec* design : children) Control(design->id)->raise();
  for (const ControlSpec* design : children) {
    QWidget* widget = Control(design->id);
    if (IsStatusLine(*design) && widget->height() > PixelRect(*design).height()) widget->raise();
  }
}

// A status line keeps its box while its text fits; a longer text wraps onward and the box grows
// downwards, at most to the bottom of its group, painting its own background over the icons.
void QtMainWindow::FitStatusLine(const ControlSpec& design, QLabel* label) {
  const QRect box = PixelRect(design);
  const QFontMetrics metrics(label->font());
  const int needed = metrics
                         .boundingRect(QRect(0, 0, box.width(), 1 << 20),
                                       Qt::AlignLeft | Qt::TextWordWrap, label->text())
                         .height();
  constexpr int kFrameWidth = 2;  // the etched line at the group's bottom stays in sight
  const int room = label->parentWidget()->height() - kFrameWidth - box.top();
  const int height = std::min(std::max(box.height(), needed), std::max(box.height(), room));
  const bool grown = height > box.height();
  label->setGeometry(box.left(), box.top(), box.width(), height);
  label->setAutoFillBackground(grown);
  ApplyStacking(label->parentWidget());
}

QWidget* QtMainWindow::Control(ControlId id) const {
  auto it = widgets_.find(id);
  return it == widgets_.end() ? nullptr : it->second;
}

void QtMainWindow::Show(ControlId id) {
  if (QWidget* widget = Control(id)) widget->show();
}

void QtMainWindow::Hide(ControlId id) {
  if (QWidget* widget = Control(id)) widget->hide();
}

void QtMainWindow::Enable(ControlId id) {
  if (QWidget* widget = Control(id)) widget->setEnabled(true);
}

void QtMainWindow::Disable(ControlId id) {
  if (QWidget* widget = Control(id)) widget->setEnabled(false);
}

void QtMainWindow::SetCaption(ControlId id, std::string_view caption) {
  QWidget* widget = Control(id);
  if (widget == nullptr) return;
  captions_[id] = std::string(caption);
  const ControlSpec& design = FindControl(id);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(ToQString(caption));
    if (IsStatusLine(design)) {
      FitStatusLine(design, label);
      // Painted now, not when the click returns: progress texts must be seen while it runs.
      label->repaint();
    }
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    button->setText(ToQString(caption));
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(ToQString(caption));
  }
}

std::string QtMainWindow::Caption(ControlId id) const {
  auto it = captions_.find(id);
  return it == captions_.end() ? std::string() : it->second;
}

bool QtMainWindow::AskYesNo(std::string_view title, std::string_view text) {
  // Asked before the window is first shown, the box goes to the middle of the screen rather than
  // over a window that is not there yet.
  QMessageBox box(QMessageBox::Question, ToQString(title), WithPlainLineBreaks(text),
                  QMessageBox::Yes | QMessageBox::No, isVisible() ? this : nullptr);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::string QtMainWindow::ChooseFolder(std::string_view title) {
  const QString folder = QFileDialog::getExistingDirectory(this, ToQString(title));
  if (folder.isEmpty()) return std::string();
  const QByteArray native = QFile::encodeName(folder);
  return std::string(native.constData(), static_cast<std::size_t>(native.size()));
}

void QtMainWindow::ShowAboutModally() {
  // No owner: the About window is modal to the whole program, and made afresh at each opening.
  QtAboutDialog about;
  about.exec();
}

void QtMainWindow::Close() {
  close();
}

void QtMainWindow::showEvent(QShowEvent* event) {
  if (!centred_ && isWindow()) {
    CentreOnScreen(*this);
    centred_ = true;
  }
  QWidget::showEvent(event);
}

void QtMainWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, banner_);
}

}  // namespace ql2
