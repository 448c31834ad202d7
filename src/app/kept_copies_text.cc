#include "app/kept_copies_text.h"

#include "app/texts.h"

namespace ql2 {
namespace {

std::string Fill(std::string_view pattern, std::string_view placeholder, std::string_view value) {
  std::string text(pattern);
  const std::size_t at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, placeholder.size(), value);
  return text;
}

struct Sentences {
  KeptCopy::Reason reason;
  std::string_view one;
  std::string_view many;
};

}  // namespace

std::string KeptCopiesText(const std::vector<KeptCopy>& kept) {
  static const Sentences kSentences[] = {
      {KeptCopy::Reason::kNotMadeByProgram, texts::kKeptNotOursOne, texts::kKeptNotOursMany},
      {KeptCopy::Reason::kBeforeFirstInstall, texts::kKeptBeforeFirstOne,
       texts::kKeptBeforeFirstMany},
      {KeptCopy::Reason::kChangedSinceInstall, texts::kKeptChangedOne, texts::kKeptChangedMany},
  };
  std::string text;
  for (const Sentences& sentences : kSentences) {
    std::vector<const KeptCopy*> these;
    for (const KeptCopy& copy : kept) {
      if (copy.reason == sentences.reason) these.push_back(&copy);
    }
    if (these.empty()) continue;
    if (!text.empty()) text += ' ';
    if (these.size() == 1) {
      text += Fill(Fill(sentences.one, "{file}", these[0]->file), "{kept}", these[0]->kept);
    } else {
      text += Fill(sentences.many, "{count}", std::to_string(these.size()));
    }
  }
  return text;
}

}  // namespace ql2
