// The sentences that tell the user which copies a click kept beside the files, and why.
#pragma once

#include <string>
#include <vector>

#include "aircraft/plan.h"

namespace ql2 {

// One sentence per reason, each naming the file when there is one, counting them otherwise;
// empty when nothing was kept.
std::string KeptCopiesText(const std::vector<KeptCopy>& kept);

}  // namespace ql2
