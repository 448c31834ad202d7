// ql2cfg: the command line (see command_line.h).
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/system.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  ql2::SystemServices services;
  return ql2::RunCommandLine(arguments,
                             {services.fs(), services.finder(), &services.folder_memory()},
                             std::cout, std::cerr);
}
