// Why the system refused a write, in the words the status line ends with. Since Vista only an
// elevated program may change files under the system's program folders, and the simulator is
// usually installed there: a user who started the Configurator normally must be told what to do.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ql2 {

inline constexpr std::string_view kProgramFilesCause =
    "permission denied; the simulator lies under Program Files: start the Configurator as "
    "administrator";

// Whether path is folder or lies inside it. Letter case (ASCII) does not count, '\\' and '/' both
// separate, and a folder's trailing separator does not matter; an empty folder holds nothing.
bool IsInFolder(std::string_view path, std::string_view folder);

// The cause of an "access denied" answer for path: kProgramFilesCause when path lies in one of the
// program folders and the program is not elevated, else the plain "permission denied".
std::string AccessDeniedCause(std::string_view path,
                              const std::vector<std::string>& program_folders, bool elevated);

}  // namespace ql2
