// A window that keeps each control's state in memory and logs every call in order: the test double
// of the main window, and the base of the console front end.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/window.h"

namespace ql2 {

struct ControlState {
  bool visible = false;
  bool enabled = true;
  std::string caption;
};

class RecordingWindow : public Window {
 public:
  // Every control of the main window as the control table creates it.
  RecordingWindow();

  void Show(ControlId id) override;
  void Hide(ControlId id) override;
  void Enable(ControlId id) override;
  void Disable(ControlId id) override;
  void SetCaption(ControlId id, std::string_view caption) override;
  std::string Caption(ControlId id) const override;
  bool IsShown(ControlId id) const override { return State(id).visible; }
  bool IsEnabled(ControlId id) const override { return State(id).enabled; }
  void Focus(ControlId id) override;
  void Warn(std::string_view title, std::string_view text) override;
  bool AskYesNo(std::string_view title, std::string_view text) override;
  std::string ChooseFolder(std::string_view title, const std::string& start_folder) override;
  int ChooseFromList(std::string_view title, std::string_view text,
                     const std::vector<std::string>& items) override;
  void ShowAboutModally() override;
  void ShowPreviewModally(const PreviewView& preview) override;
  void Close() override;

  const ControlState& State(ControlId id) const;
  bool IsVisible(ControlId id) const { return State(id).visible; }
  // Visible and enabled: a click on it would reach the logic.
  bool IsClickable(ControlId id) const { return IsVisible(id) && IsEnabled(id); }

  // The answer AskYesNo gives; each question asked is logged with its title and text.
  void SetAnswer(bool yes) { answer_ = yes; }
  // The folder ChooseFolder gives ("" as if cancelled).
  void SetChosenFolder(std::string folder) { chosen_folder_ = std::move(folder); }
  // Where the last ChooseFolder started.
  const std::string& folder_dialog_start() const { return folder_dialog_start_; }
  // The index ChooseFromList gives (-1 as if cancelled), and the items it was last shown.
  void SetListAnswer(int index) { list_answer_ = index; }
  const std::vector<std::string>& list_items() const { return list_items_; }
  int questions_asked() const { return questions_asked_; }
  // The control last given the focus (kNone before any), and the warnings shown, each as its
  // title, a blank line and its text.
  ControlId focused() const { return focused_; }
  const std::vector<std::string>& warnings() const { return warnings_; }
  int about_openings() const { return about_openings_; }
  // Every preview shown, in order.
  const std::vector<PreviewView>& previews() const { return previews_; }
  bool closed() const { return closed_; }
  // "Show pictureInsChe", "SetCaption Label1 Backing up files...", "AskYesNo First time run",
  // "Focus removeATR", "Warn User manual", "ChooseFolder <title>", "ChooseFromList <title>", ...
  const std::vector<std::string>& log() const { return log_; }

 private:
  ControlState& Mutable(ControlId id);

  std::map<ControlId, ControlState> states_;
  std::vector<std::string> log_;
  std::vector<std::string> warnings_;
  std::vector<PreviewView> previews_;
  ControlId focused_ = ControlId::kNone;
  bool answer_ = false;
  std::string chosen_folder_;
  std::string folder_dialog_start_;
  int list_answer_ = -1;
  std::vector<std::string> list_items_;
  int questions_asked_ = 0;
  int about_openings_ = 0;
  bool closed_ = false;
};

}  // namespace ql2
