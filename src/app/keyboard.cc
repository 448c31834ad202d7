#include "app/keyboard.h"

#include <cctype>
#include <vector>

namespace ql2 {
namespace {

struct CaptionKey {
  std::string_view caption;
  char key;
  WindowId window;
};

// The buttons' access keys, by caption: a family's Install button reads "Repair" when the panel
// file lost the gauge's window, and takes P then.
constexpr CaptionKey kCaptionKeys[] = {
    {"Install", 'I', WindowId::kMain},          {"Remove", 'R', WindowId::kMain},
    {"Repair", 'P', WindowId::kMain},           {"Exit", 'X', WindowId::kMain},
    {"Choose folder...", 'C', WindowId::kMain}, {"User manual", 'U', WindowId::kAbout},
};
constexpr char kAboutKey = 'A';
constexpr char kMark = '&';

char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool Usable(const WindowView& view, ControlId id) {
  auto it = view.find(id);
  return it != view.end() && it->second.shown && it->second.enabled;
}

std::string_view CaptionIn(const WindowView& view, const ControlSpec& design) {
  auto it = view.find(design.id);
  return it == view.end() ? design.caption : std::string_view(it->second.caption);
}

std::vector<const ControlSpec*> MainRows() {
  std::vector<const ControlSpec*> rows;
  for (const ControlSpec& design : ControlTable()) {
    if (design.window == WindowId::kMain) rows.push_back(&design);
  }
  return rows;
}

bool InFamilyGroup(const ControlSpec& design) {
  return design.parent != ControlId::kNone;
}

// The main window's controls as the eye reads them: each group's frame followed by its controls.
std::vector<const ControlSpec*> ReadingOrder() {
  std::vector<const ControlSpec*> rows;
  for (const ControlSpec* design : MainRows()) {
    if (InFamilyGroup(*design)) continue;
    rows.push_back(design);
    for (const ControlSpec* child : MainRows()) {
      if (child->parent == design->id) rows.push_back(child);
    }
  }
  return rows;
}

}  // namespace

ControlId StartupFocus(const WindowView& view) {
  for (const ControlSpec* design : MainRows()) {
    if (design->kind == ControlKind::kGroup && Usable(view, design->id)) return design->id;
  }
  return ControlId::kClose;
}

ControlId FocusAfterClick(ControlId clicked, const WindowView& view) {
  const ControlSpec& design = FindControl(clicked);
  if (design.kind == ControlKind::kButton && InFamilyGroup(design)) {
    // The group's other buttons in table order, beginning after the clicked one.
    std::vector<ControlId> buttons;
    for (const ControlSpec* row : MainRows()) {
      if (row->kind == ControlKind::kButton && row->parent == design.parent) {
        buttons.push_back(row->id);
      }
    }
    std::size_t at = 0;
    while (buttons[at] != clicked) ++at;
    for (std::size_t step = 1; step < buttons.size(); ++step) {
      const ControlId other = buttons[(at + step) % buttons.size()];
      if (Usable(view, other)) return other;
    }
    return Usable(view, clicked) ? clicked : design.parent;
  }
  if (clicked == ControlId::kChooseFolder) {
    // Should the button have gone, the focus starts afresh.
    return Usable(view, clicked) ? clicked : StartupFocus(view);
  }
  if (clicked == ControlId::kPictureAbout && Usable(view, clicked)) return clicked;
  return ControlId::kNone;
}

char AccessKeyOf(const ControlSpec& design, std::string_view caption) {
  if (design.id == ControlId::kPictureAbout) return kAboutKey;
  if (design.kind != ControlKind::kButton) return 0;
  for (const CaptionKey& entry : kCaptionKeys) {
    if (entry.caption == caption) return entry.key;
  }
  return 0;
}

std::string AllAccessKeys() {
  std::string keys(1, kAboutKey);
  for (const CaptionKey& entry : kCaptionKeys) {
    if (entry.window == WindowId::kMain) keys += entry.key;
  }
  return keys;
}

std::string WithAccessKeyMark(const ControlSpec& design, std::string_view caption) {
  const char key = AccessKeyOf(design, caption);
  std::string marked;
  bool placed = key == 0;
  for (char c : caption) {
    if (!placed && Upper(c) == key) {
      marked += kMark;
      placed = true;
    }
    if (c == kMark) marked += kMark;
    marked += c;
  }
  return marked;
}

KeyAction ActOnAccessKey(char key, ControlId focused, const WindowView& view) {
  key = Upper(key);
  const std::vector<const ControlSpec*> rows = ReadingOrder();
  std::vector<std::size_t> candidates;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (Usable(view, rows[i]->id) && AccessKeyOf(*rows[i], CaptionIn(view, *rows[i])) == key) {
      candidates.push_back(i);
    }
  }
  KeyAction action;
  if (candidates.empty()) return action;
  if (candidates.size() == 1 && !InFamilyGroup(*rows[candidates[0]])) {
    action.click = rows[candidates[0]]->id;
    return action;
  }
  // From the focused control's group (or the focused control) onwards, round the window.
  const ControlSpec& focus_design = FindControl(focused);
  const ControlId anchor = InFamilyGroup(focus_design) ? focus_design.parent : focused;
  std::size_t start = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i]->id == anchor) start = i;
  }
  for (std::size_t step = 0; step < rows.size(); ++step) {
    const std::size_t i = (start + step) % rows.size();
    for (std::size_t candidate : candidates) {
      if (candidate == i && rows[i]->id != focused) {
        action.focus = rows[i]->id;
        return action;
      }
    }
  }
  return action;
}

}  // namespace ql2
