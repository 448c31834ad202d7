#include "platform/sim_path.h"

namespace ql2 {

std::string JoinSimPath(std::string_view sim_folder, std::string_view relative, char separator) {
  std::string path(sim_folder);
  for (char c : relative) path += c == '\\' ? separator : c;
  return path;
}

std::string DisplaySimPath(std::string_view relative, char separator) {
  while (!relative.empty() && relative.front() == '\\') relative.remove_prefix(1);
  return JoinSimPath("", relative, separator);
}

}  // namespace ql2
