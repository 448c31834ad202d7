// The main window on Qt Widgets: the control table's main-window rows rendered as widgets, each
// named after its control. It holds no logic: a click on a button or on pictureAbout becomes one
// call of MainWindowLogic::Click, an access key one call of PressAccessKey, F1 one of OpenManual;
// the logic changes the widgets through the Window operations. The widgets stand where the shared
// layout puts them, at the scale at which the window fits its screen.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/window.h"
#include "app/window_layout.h"

class QLabel;

namespace ql2 {

// The object name of a family button's context menu.
inline constexpr char kContextMenuName[] = "buttonMenu";

class QtMainWindow : public QWidget, public Window {
 public:
  explicit QtMainWindow(QWidget* parent = nullptr);

  // Where clicks go; without logic a click does nothing.
  void SetLogic(MainWindowLogic* logic) { logic_ = logic; }
  // The widget of a main-window control, nullptr for any other id.
  QWidget* Control(ControlId id) const;
  // The control whose widget has the keyboard focus, kNone when none has.
  ControlId FocusedControl() const;
  // Where the controls stand now, and at what scale.
  const MainWindowLayout& layout() const { return layout_; }

  void Show(ControlId id) override;
  void Hide(ControlId id) override;
  void Enable(ControlId id) override;
  void Disable(ControlId id) override;
  void SetCaption(ControlId id, std::string_view caption) override;
  // The caption exactly as last set (a folder path keeps its bytes, whatever their encoding).
  std::string Caption(ControlId id) const override;
  bool IsShown(ControlId id) const override;
  bool IsEnabled(ControlId id) const override;
  void Focus(ControlId id) override;
  void Warn(std::string_view title, std::string_view text) override;
  bool AskYesNo(std::string_view title, std::string_view text) override;
  std::string ChooseFolder(std::string_view title, const std::string& start_folder) override;
  int ChooseFromList(std::string_view title, std::string_view text,
                     const std::vector<std::string>& items) override;
  void ShowAboutModally() override;
  void ShowPreviewModally(const PreviewView& preview) override;
  void Close() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Centred on the screen as it is first shown, when its frame is known.
  void showEvent(QShowEvent* event) override;

 private:
  void Create(const ControlSpec& design);
  void MakeShortcuts();
  void ApplyStacking(QWidget* parent);
  // Lays the controls out afresh for their texts and pictures, at the scale that fits the screen.
  void Relayout();
  void ApplyScale(double scale);
  void Click(ControlId id);
  // A family button's context menu, opened at a place on the screen: its one item opens the
  // preview of the button's click.
  void OpenContextMenu(ControlId id, const QPoint& at);

  std::map<ControlId, QWidget*> widgets_;
  std::map<ControlId, std::string> captions_;
  MainWindowLogic* logic_ = nullptr;
  MainWindowLayout layout_;
  QPixmap banner_source_;
  QPixmap banner_;
  bool centred_ = false;
};

}  // namespace ql2
