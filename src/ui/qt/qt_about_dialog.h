// The About window on Qt Widgets: the control table's About rows, fixed content, centred on the
// screen when it is made. OK, Escape and the close box close it; each opening makes a new one.
#pragma once

#include <QDialog>

namespace ql2 {

class QtAboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit QtAboutDialog(QWidget* parent = nullptr);

 protected:
  // Centred as it opens, when its frame is known.
  void showEvent(QShowEvent* event) override;
};

}  // namespace ql2
