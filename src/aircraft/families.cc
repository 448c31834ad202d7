#include "aircraft/family.h"

namespace ql2 {

const std::vector<const Family*>& AllFamilies() {
  static const std::vector<const Family*> families = {&CheyenneFamily(), &AtrFamily(),
                                                      &PmdgFamily(), &PicFamily()};
  return families;
}

const Family* FindFamily(std::string_view id) {
  for (const Family* family : AllFamilies()) {
    if (family->id == id) return family;
  }
  return nullptr;
}

}  // namespace ql2
