#include "panelcfg/panel_edit.h"

#include <algorithm>

#include "panelcfg/free_numbers.h"
#include "platform/profile.h"

namespace ql2 {
namespace {

// Room a copy keeps for what the edits after it add (the lines of two gauge windows and a few
// entries), so that they grow it in place.
constexpr std::size_t kCopyRoom = 4096;

bool HasName(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [name](const std::string& each) { return profile::SameName(each, name); });
}

}  // namespace

// Why the splices give the bytes the edits would give one after another: each edit's scan of
// the file so far sees what it would see in the original. The original's lines all end, so every
// splice begins and ends whole lines. Title entries go into "Window Titles" (or a section of that
// name appended at the end), each after the one before, which is the section's last entry then
// (a key the section has already gets its value replaced, and an entry after that one is made on
// a copy). The gauge windows go at the very end. A gauge entry goes into a section the original
// has, other than "Window Titles" and other than any section given an entry before; nothing
// spliced in lies inside that section (at the end, a header or an empty line follows its lines),
// so its keys and its last entry are the original's, and its line comes right after that entry,
// before whatever is spliced in at the same place.
PanelEdit::PanelEdit(SharedBytes original) : original_(std::move(original)) {
  // An unended last line would be ended by whichever edit comes after it first.
  const std::string_view bytes = original_;
  if (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n') MakeCopy();
}

void PanelEdit::AddWindowTitleEntry(std::string_view window_name, std::string_view title) {
  // After the gauge windows a "Window Titles" section appended at the end would follow them.
  if (!copy_ && (!appended_.empty() || HasName(title_keys_, window_name))) MakeCopy();
  if (!copy_) {
    Splice splice = profile::PlanWrite(original_, panel::kWindowTitlesSection, window_name, title);
    if (!titles_ || splice.at == titles_->at) {
      if (titles_) {
        titles_->text += profile::KeyLine(window_name, title);
      } else {
        titles_ = std::move(splice);
      }
      title_keys_.emplace_back(window_name);
      return;
    }
    // The entry before replaced the value of a key the section had, or this one does.
    MakeCopy();
  }
  ql2::AddWindowTitleEntry(&*copy_, window_name, title);
}

void PanelEdit::AppendGaugeWindowSection(std::string_view text) {
  if (copy_) {
    ql2::AppendGaugeWindowSection(&*copy_, text);
    return;
  }
  appended_.append(text);
  appended_.append(panel::kLineEnd);
}

void PanelEdit::AddGaugeEntry(std::string_view section_name, int from, GaugeKeyStyle style,
                              std::string_view gauge_value) {
  if (!copy_ && (profile::SameName(section_name, panel::kWindowTitlesSection) ||
                 HasName(entry_sections_, section_name))) {
    MakeCopy();
  }
  if (!copy_) {
    const int number = FreeGaugeNumber(original_, section_name, from, style);
    bool found = false;
    Splice splice = profile::PlanWrite(original_, section_name, FormGaugeKey(number, style),
                                       gauge_value, &found);
    if (found && splice.erase == 0) {
      entries_.push_back(std::move(splice));
      entry_sections_.emplace_back(section_name);
      return;
    }
    MakeCopy();  // a section the original lacks: it is appended, after the gauge windows
  }
  const int number = FreeGaugeNumber(*copy_, section_name, from, style);
  ql2::AddGaugeEntry(&*copy_, section_name, FormGaugeKey(number, style), gauge_value);
}

SplicedBytes PanelEdit::Spliced() const {
  std::vector<Splice> splices = entries_;
  std::stable_sort(splices.begin(), splices.end(),
                   [](const Splice& a, const Splice& b) { return a.at < b.at; });
  if (titles_) {
    // After the gauge entries at the same place: an entry follows the original line it is put
    // after, and a "Window Titles" section appended at the end comes after that.
    auto at = std::upper_bound(splices.begin(), splices.end(), titles_->at,
                               [](std::size_t offset, const Splice& s) { return offset < s.at; });
    splices.insert(at, *titles_);
  }
  if (!appended_.empty()) splices.push_back({original_.size(), 0, appended_});
  return SplicedBytes(original_, std::move(splices));
}

void PanelEdit::MakeCopy() {
  const SplicedBytes so_far = Spliced();
  std::string copy;
  copy.reserve(so_far.size() + kCopyRoom);
  for (std::string_view part : so_far.Parts()) copy.append(part);
  copy_ = std::move(copy);
  titles_.reset();
  title_keys_.clear();
  entries_.clear();
  entry_sections_.clear();
  appended_.clear();
}

SplicedBytes PanelEdit::Result() && {
  if (copy_) return SharedBytes(std::move(*copy_));
  return Spliced();
}

}  // namespace ql2
