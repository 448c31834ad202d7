// Paths inside the simulator folder. The program's fixed relative paths are written as the
// simulator writes them, with backslashes ("\QL\qlever2.con"); they are joined to the simulator
// folder directly, with no separator added or removed, and their backslashes become the native
// separator of the file system in use.
#pragma once

#include <string>
#include <string_view>

namespace ql2 {

std::string JoinSimPath(std::string_view sim_folder, std::string_view relative, char separator);

// The relative path without its first separator, written with the separator given:
// "QL/qlever2.con". (Messages name files as the disk spells them: SimFolderView::DisplayName.)
std::string DisplaySimPath(std::string_view relative, char separator);

}  // namespace ql2
