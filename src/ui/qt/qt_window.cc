#include "ui/qt/qt_window.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "app/click_preview.h"
#include "app/keyboard.h"
#include "ui/qt/qt_about_dialog.h"
#include "ui/qt/qt_layout.h"
#include "ui/qt/qt_preview_dialog.h"

namespace ql2 {
namespace {

// The focus drawn as the style draws it on a button, around `rect` of the widget.
void DrawFocus(QWidget* widget, QPainter& painter, const QRect& rect) {
  QStyleOptionFocusRect option;
  option.initFrom(widget);
  option.rect = rect;
  option.backgroundColor = widget->palette().color(QPalette::Window);
  // Drawn whether the focus came by the keyboard or not: the user must see where Space goes.
  option.state |= QStyle::State_KeyboardFocusChange;
  widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, widget);
}

// A picture that reports a click: a press and a release of the left button on it, or, when it
// takes the focus (the About picture), Space, Enter or Return.
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
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      on_click_();
    } else if (event->key() != Qt::Key_Space) {
      QLabel::keyPressEvent(event);
    }
  }
  // As a button does: Space clicks when it is let go.
  void keyReleaseEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
      on_click_();
    } else {
      QLabel::keyReleaseEvent(event);
    }
  }
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    DrawFocus(this, painter, rect());
  }

 private:
  std::function<void()> on_click_;
};

// A group drawn as the old window system drew it: an etched frame whose top line runs through the
// middle of the caption. (Qt's own group boxes put the caption above the frame, over the first row
// of controls laid out for the old look.) It takes the focus only when the logic gives it, and
// shows it; it never hands it on to a child, as Qt's group boxes do.
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
    if (hasFocus()) {
      // A dotted line round the caption, as the old window system marked a focused label.
      painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
      painter.drawRect(caption.adjusted(0, 0, -1, -1));
    }
  }
  void focusInEvent(QFocusEvent* event) override {
    QWidget::focusInEvent(event);
    update();
  }
  void focusOutEvent(QFocusEvent* event) override {
    QWidget::focusOutEvent(event);
    update();
  }

 private:
  static constexpr int kCaptionLeft = 6;
  static constexpr int kCaptionGap = 2;
};

// A push button that Enter and Return press too, as Space does, wherever it stands; its access
// key is the window's to handle (the families' buttons share theirs). A button given a context
// menu opens it for the right mouse button, and for the menu key and Shift+F10 while it has the
// focus.
class FormButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

  void SetCaption(const QString& marked) {
    setText(marked);
    setShortcut(QKeySequence());
  }
  // Called with the place, on the screen, where the menu opens.
  void SetContextMenu(std::function<void(const QPoint&)> open) { open_menu_ = std::move(open); }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool menu_key = event->key() == Qt::Key_Menu ||
                          (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      click();
    } else if (menu_key && open_menu_) {
      open_menu_(mapToGlobal(rect().center()));
    } else {
      QPushButton::keyPressEvent(event);
    }
  }
  void contextMenuEvent(QContextMenuEvent* event) override {
    // The keys are answered above; a window system that also sends the event for them would
    // open the menu twice.
    if (!open_menu_ || event->reason() == QContextMenuEvent::Keyboard) {
      QPushButton::contextMenuEvent(event);
      return;
    }
    open_menu_(event->globalPos());
  }

 private:
  std::function<void(const QPoint&)> open_menu_;
};

// The message box shows the logic's text; its CR LF line break is the window system's "\n".
QString WithPlainLineBreaks(std::string_view text) {
  QString result = ToQString(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return result;
}

// A box asked before the window is first shown goes to the middle of the screen rather than over
// a window that is not there yet; one asked from the About window goes over that.
QWidget* BoxOwner(QWidget* window) {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return window->isVisible() ? window : nullptr;
}

}  // namespace

QtMainWindow::QtMainWindow(QWidget* parent)
    : QWidget(parent), banner_source_(QStringLiteral(":/pictures/banner.png")) {
  const WindowSpec& window = FindWindow(WindowId::kMain);
  setWindowTitle(ToQString(window.caption));
  for (const ControlSpec& design : ControlTable()) {
    if (design.window == WindowId::kMain) Create(design);
  }
  ApplyStacking(this);
  for (const auto& entry : widgets_) {
    if (FindControl(entry.first).kind == ControlKind::kGroup) ApplyStacking(entry.second);
  }
  MakeShortcuts();
  Relayout();
}

void QtMainWindow::Create(const ControlSpec& design) {
  QWidget* parent = design.parent == ControlId::kNone ? this : Control(design.parent);
  QWidget* widget = nullptr;
  switch (design.kind) {
    case ControlKind::kGroup:
      widget = new EtchedGroup(ToQString(design.caption), parent);
      break;
    case ControlKind::kLabel: {
      auto* label = new QLabel(ToQString(design.caption), parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      widget = label;
      break;
    }
    case ControlKind::kPicture: {
      const ControlId id = design.id;
      auto* picture = new ClickablePicture(parent, [this, id] { Click(id); });
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      picture->setAccessibleName(ToQString(WordsOf(design.picture).name));
      if (design.picture == Picture::kAboutButton) {
        picture->setCursor(Qt::PointingHandCursor);
        picture->setFocusPolicy(Qt::StrongFocus);
      }
      widget = picture;
      break;
    }
    case ControlKind::kButton: {
      auto* button = new FormButton(parent);
      button->SetCaption(ToQString(WithAccessKeyMark(design, design.caption)));
      button->setAutoDefault(false);
      const ControlId id = design.id;
      QObject::connect(button, &QPushButton::clicked, button, [this, id] { Click(id); });
      if (IsFamilyButton(design)) {
        button->SetContextMenu([this, id](const QPoint& at) { OpenContextMenu(id, at); });
      }
      widget = button;
      break;
    }
  }
  if (!TooltipOf(design).empty()) widget->setToolTip(ToQString(TooltipOf(design)));
  widget->setObjectName(ToQString(design.name));
  widget->setVisible(design.visible);
  widgets_[design.id] = widget;
  captions_[design.id] = std::string(design.caption);
}

void QtMainWindow::MakeShortcuts() {
  for (char key : AllAccessKeys()) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | (Qt::Key_A + (key - 'A'))), this);
    QObject::connect(shortcut, &QShortcut::activated, this, [this, key] {
      if (logic_ != nullptr) logic_->PressAccessKey(key, FocusedControl());
    });
  }
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  QObject::connect(help, &QShortcut::activated, this, [this] {
    if (logic_ != nullptr) logic_->OpenManual();
  });
}

void QtMainWindow::Click(ControlId id) {
  if (logic_ != nullptr) logic_->Click(id);
}

void QtMainWindow::OpenContextMenu(ControlId id, const QPoint& at) {
  if (logic_ == nullptr) return;
  QMenu menu(this);
  menu.setObjectName(kContextMenuName);
  const QAction* preview = menu.addAction(ToQString(PreviewMenuItem(Caption(id))));
  if (menu.exec(at) == preview) logic_->ShowPreview(id);
}

// Overlapping controls are drawn in the table's stacking order, the highest on top.
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
}

void QtMainWindow::Relayout() {
  QScreen* screen = this->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  ScreenRoom room;
  if (screen != nullptr) {
    const QRect available = screen->availableGeometry();
    room.width = available.width();
    room.height = available.height();
  }
  if (isVisible() && frameGeometry().size() != size()) {
    room.frame_width = frameGeometry().width() - width();
    room.frame_height = frameGeometry().height() - height();
  } else {
    // Not shown yet: the title bar the window system will add.
    room.frame_height = style()->pixelMetric(QStyle::PM_TitleBarHeight);
  }
  const TextHeight text_height = [this](ControlId status, int width_twips, double scale) {
    const auto* label = static_cast<const QLabel*>(Control(status));
    const int width = ScaledPixels(width_twips, scale);
    const int pixels = QFontMetrics(FormFont(false, scale))
                           .boundingRect(QRect(0, 0, width, 1 << 20),
                                         Qt::AlignLeft | Qt::TextWordWrap, label->text())
                           .height();
    return static_cast<int>(std::ceil(pixels * kTwipsPerPixelAt96Dpi / scale));
  };
  const IsControlShown shown = [this](ControlId id) { return !Control(id)->isHidden(); };
  const MainWindowLayout layout = FitMainWindow(1, room, text_height, shown);
  if (layout.scale != layout_.scale || layout_.places.empty()) ApplyScale(layout.scale);
  layout_ = layout;
  for (const auto& place : layout_.places) {
    Control(place.first)->setGeometry(PixelRect(place.second, layout_.scale));
  }
  setFixedSize(ScaledPixels(layout_.client_width, layout_.scale),
               ScaledPixels(layout_.client_height, layout_.scale));
  if (isVisible() && screen != nullptr) {
    // A window that grew stays on its screen.
    const QRect available = screen->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveBottom(std::min(frame.bottom(), available.bottom()));
    frame.moveRight(std::min(frame.right(), available.right()));
    frame.moveTop(std::max(frame.top(), available.top()));
    frame.moveLeft(std::max(frame.left(), available.left()));
    if (frame.topLeft() != frameGeometry().topLeft()) move(frame.topLeft());
  }
}

void QtMainWindow::ApplyScale(double scale) {
  setFont(FormFont(false, scale));
  const double ratio = devicePixelRatioF();
  banner_ = ScaledPixmap(banner_source_, scale, ratio);
  for (const auto& entry : widgets_) {
    const ControlSpec& design = FindControl(entry.first);
    entry.second->setFont(FormFont(design.kind == ControlKind::kGroup, scale));
    if (design.kind == ControlKind::kPicture) {
      static_cast<QLabel*>(entry.second)
          ->setPixmap(ScaledPixmap(PicturePixmap(design.picture), scale, ratio));
    }
  }
  update();
}

QWidget* QtMainWindow::Control(ControlId id) const {
  auto it = widgets_.find(id);
  return it == widgets_.end() ? nullptr : it->second;
}

ControlId QtMainWindow::FocusedControl() const {
  const QWidget* focus = QApplication::focusWidget();
  for (const auto& entry : widgets_) {
    if (entry.second == focus) return entry.first;
  }
  return ControlId::kNone;
}

void QtMainWindow::Show(ControlId id) {
  QWidget* widget = Control(id);
  if (widget == nullptr) return;
  widget->show();
  if (FindControl(id).kind == ControlKind::kPicture) Relayout();
}

void QtMainWindow::Hide(ControlId id) {
  QWidget* widget = Control(id);
  if (widget == nullptr) return;
  widget->hide();
  if (FindControl(id).kind == ControlKind::kPicture) Relayout();
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
      Relayout();
      // Painted now, not when the click returns: progress texts must be seen while it runs.
      repaint();
    }
  } else if (auto* button = dynamic_cast<FormButton*>(widget)) {
    button->SetCaption(ToQString(WithAccessKeyMark(design, caption)));
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(ToQString(caption));
  }
}

std::string QtMainWindow::Caption(ControlId id) const {
  auto it = captions_.find(id);
  return it == captions_.end() ? std::string() : it->second;
}

bool QtMainWindow::IsShown(ControlId id) const {
  const QWidget* widget = Control(id);
  return widget != nullptr && !widget->isHidden();
}

bool QtMainWindow::IsEnabled(ControlId id) const {
  const QWidget* widget = Control(id);
  return widget != nullptr && widget->isEnabled();
}

void QtMainWindow::Focus(ControlId id) {
  QWidget* widget = Control(id);
  if (widget == nullptr) return;
  // Shown as focus that came from the keyboard: the user must see where Space goes.
  setAttribute(Qt::WA_KeyboardFocusChange);
  widget->setFocus(Qt::OtherFocusReason);
}

void QtMainWindow::Warn(std::string_view title, std::string_view text) {
  QMessageBox box(QMessageBox::Warning, ToQString(title), WithPlainLineBreaks(text),
                  QMessageBox::Ok, BoxOwner(this));
  box.exec();
}

bool QtMainWindow::AskYesNo(std::string_view title, std::string_view text) {
  QMessageBox box(QMessageBox::Question, ToQString(title), WithPlainLineBreaks(text),
                  QMessageBox::Yes | QMessageBox::No, BoxOwner(this));
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::string QtMainWindow::ChooseFolder(std::string_view title, const std::string& start_folder) {
  const QString folder = QFileDialog::getExistingDirectory(
      this, ToQString(title), QFile::decodeName(QByteArray::fromStdString(start_folder)));
  if (folder.isEmpty()) return std::string();
  const QByteArray native = QFile::encodeName(folder);
  return std::string(native.constData(), static_cast<std::size_t>(native.size()));
}

int QtMainWindow::ChooseFromList(std::string_view title, std::string_view text,
                                 const std::vector<std::string>& items) {
  QStringList choices;
  for (const std::string& item : items)
    choices << QFile::decodeName(QByteArray::fromStdString(item));
  bool picked = false;
  const QString choice = QInputDialog::getItem(this, ToQString(title), ToQString(text), choices, 0,
                                               /*editable=*/false, &picked);
  return picked ? static_cast<int>(choices.indexOf(choice)) : -1;
}

void QtMainWindow::ShowPreviewModally(const PreviewView& preview) {
  ShowPreviewDialog(this, preview);
}

void QtMainWindow::ShowAboutModally() {
  // No owner: the About window is modal to the whole program, and made afresh at each opening.
  QtAboutDialog about([this] { Click(ControlId::kAboutManual); });
  about.exec();
}

void QtMainWindow::Close() {
  close();
}

void QtMainWindow::showEvent(QShowEvent* event) {
  if (!centred_ && isWindow()) {
    // Now that the frame is known, the window may have to be drawn smaller to fit.
    Relayout();
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
