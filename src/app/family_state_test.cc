#include "app/family_state.h"

#include <gtest/gtest.h>

#include <functional>

namespace ql2 {
namespace {

// The look again before a click compares what it finds with what the window shows: a change of
// any one fact must count, or a click could act on a state another copy of the program changed.
TEST(FamilyFactsTest, EveryFactCounts) {
  FamilyFacts base;
  base.present = true;
  base.record_read = true;
  base.installed = 1;
  base.survey.backup_exists = {true, false};
  base.survey.backup_own = {false, false};
  const std::pair<const char*, std::function<void(FamilyFacts&)>> changes[] = {
      {"present", [](FamilyFacts& f) { f.present = false; }},
      {"record_read", [](FamilyFacts& f) { f.record_read = false; }},
      {"record_error", [](FamilyFacts& f) { f.record_error = "x"; }},
      {"installed", [](FamilyFacts& f) { f.installed = 2; }},
      {"full", [](FamilyFacts& f) { f.full = "1"; }},
      {"backup_exists", [](FamilyFacts& f) { f.survey.backup_exists[1] = true; }},
      {"backup_own", [](FamilyFacts& f) { f.survey.backup_own[0] = true; }},
      {"backup_digest", [](FamilyFacts& f) { f.survey.backup_digest = 7; }},
      {"reference_error", [](FamilyFacts& f) { f.survey.reference_error = "x"; }},
      {"title_found", [](FamilyFacts& f) { f.survey.title_found = true; }},
      {"reference_restored", [](FamilyFacts& f) { f.survey.reference_restored = true; }},
      {"reference_stripped", [](FamilyFacts& f) { f.survey.reference_stripped = true; }},
  };
  EXPECT_EQ(base, FamilyFacts(base));
  for (const auto& [name, change] : changes) {
    FamilyFacts changed = base;
    change(changed);
    EXPECT_NE(changed, base) << name;
  }
}

}  // namespace
}  // namespace ql2
