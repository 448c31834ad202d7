// What the user can do about a problem: the advice table of texts.h looked up by the problem's
// kind, for the sentence after the one that names the problem.
#pragma once

#include <string>

#include "platform/status.h"

namespace ql2 {

// " " and the advice for the problem, or "" when there is none: a success, or a cause that says
// what to do already (a write under Program Files refused to a program not started as
// administrator).
std::string AdviceAfter(const Status& problem);

}  // namespace ql2
