// A click seen before it is made: what the logic's own decision of the click would change, put
// into words for the preview dialog every front end shows.
#pragma once

#include <string>
#include <string_view>

#include "aircraft/family.h"
#include "aircraft/plan.h"
#include "app/preview_view.h"

namespace ql2 {

// What a click on a family's Install or Remove button would do now (MainWindowLogic's
// PreviewClick).
struct ClickPreview {
  bool possible = false;
  // The status line the click would leave: its outcome when possible, else why not.
  std::string status;
  Plan plan;  // empty when not possible
};

// The preview dialog's content for a click on the button that reads `button_caption` ("Install",
// "Repair", "Remove"); `separator` is the one the plan's display names are written with.
PreviewView DescribeClickPreview(const Family& family, std::string_view button_caption,
                                 const ClickPreview& preview, char separator);

// The item of a family button's context menu that opens the preview: "Show what Install would
// change...".
std::string PreviewMenuItem(std::string_view button_caption);

}  // namespace ql2
