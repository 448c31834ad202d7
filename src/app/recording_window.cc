#include "app/recording_window.h"

namespace ql2 {

RecordingWindow::RecordingWindow() {
  for (const ControlSpec& design : ControlTable()) {
    if (design.window != WindowId::kMain) continue;
    ControlState& state = states_[design.id];
    state.visible = design.visible;
    state.caption = std::string(design.caption);
  }
}

ControlState& RecordingWindow::Mutable(ControlId id) {
  return states_[id];
}

const ControlState& RecordingWindow::State(ControlId id) const {
  static const ControlState kAbsent;
  auto it = states_.find(id);
  return it == states_.end() ? kAbsent : it->second;
}

void RecordingWindow::Show(ControlId id) {
  Mutable(id).visible = true;
  log_.push_back("Show " + std::string(FindControl(id).name));
}

void RecordingWindow::Hide(ControlId id) {
  Mutable(id).visible = false;
  log_.push_back("Hide " + std::string(FindControl(id).name));
}

void RecordingWindow::Enable(ControlId id) {
  Mutable(id).enabled = true;
  log_.push_back("Enable " + std::string(FindControl(id).name));
}

void RecordingWindow::Disable(ControlId id) {
  Mutable(id).enabled = false;
  log_.push_back("Disable " + std::string(FindControl(id).name));
}

void RecordingWindow::SetCaption(ControlId id, std::string_view caption) {
  Mutable(id).caption = std::string(caption);
  log_.push_back("SetCaption " + std::string(FindControl(id).name) + " " + std::string(caption));
}

std::string RecordingWindow::Caption(ControlId id) const {
  return State(id).caption;
}

void RecordingWindow::Focus(ControlId id) {
  focused_ = id;
  log_.push_back("Focus " + std::string(FindControl(id).name));
}

void RecordingWindow::Warn(std::string_view title, std::string_view text) {
  warnings_.push_back(std::string(title) + "\n\n" + std::string(text));
  log_.push_back("Warn " + std::string(title));
}

bool RecordingWindow::AskYesNo(std::string_view title, std::string_view) {
  ++questions_asked_;
  log_.push_back("AskYesNo " + std::string(title));
  return answer_;
}

std::string RecordingWindow::ChooseFolder(std::string_view title, const std::string& start_folder) {
  log_.push_back("ChooseFolder " + std::string(title));
  folder_dialog_start_ = start_folder;
  return chosen_folder_;
}

int RecordingWindow::ChooseFromList(std::string_view title, std::string_view,
                                    const std::vector<std::string>& items) {
  log_.push_back("ChooseFromList " + std::string(title));
  list_items_ = items;
  return list_answer_;
}

void RecordingWindow::ShowAboutModally() {
  ++about_openings_;
  log_.push_back("ShowAboutModally");
}

void RecordingWindow::ShowPreviewModally(const PreviewView& preview) {
  previews_.push_back(preview);
  log_.push_back("ShowPreviewModally " + preview.title);
}

void RecordingWindow::Close() {
  closed_ = true;
  log_.push_back("Close");
}

}  // namespace ql2
