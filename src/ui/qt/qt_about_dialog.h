// The About window on Qt Widgets: the control table's About rows, fixed content, centred on the
// screen when it is made. OK, Escape and the close box close it; each opening makes a new one.
// Its User manual button and F1 open the manual.
#pragma once

#include <QDialog>
#include <functional>

namespace ql2 {

class QtAboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit QtAboutDialog(std::function<void()> open_manual, QWidget* parent = nullptr);

 protected:
  // Centred as it opens, when its frame is known.
  void showEvent(QShowEvent* event) override;
};

}  // namespace ql2
