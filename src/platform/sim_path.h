// Paths inside the simulator folder. The program's fixed relative paths are written as the
// simulator writes them, with backslashes ("\QL\qlever2.con"); they are joined to the simulator
// folder directly, with no separator added or removed, and their backslashes become the native
// separator of the file system in use.
#pragma once

#include <string>
#include <string_view>

namespace ql2 {

std::string JoinSimPath(std::string_view sim_folder, std::string_view relative, char separator);

// The relative path as a status line names it: "QL\qlever2.con".
std::string DisplaySimPath(std::string_view relative);

}  // namespace ql2
