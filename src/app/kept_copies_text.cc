#include "app/kept_copies_text.h"

#include "app/texts.h"

namespace ql2 {
namespace {

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
      text += texts::Fill(texts::Fill(sentences.one, "{file}", these[0]->file), "{kept}",
                          these[0]->kept);
    } else {
      text += texts::Fill(sentences.many, "{count}", std::to_string(these.size()));
    }
  }
  return text;
}

}  // namespace ql2
