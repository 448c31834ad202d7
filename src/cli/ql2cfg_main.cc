// ql2cfg: the command line (see command_line.h).
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/system.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::unique_ptr<ql2::FileSystem> fs = ql2::MakeSystemFileSystem();
  std::unique_ptr<ql2::Registry> registry = ql2::MakeSystemRegistry();
  return ql2::RunCommandLine(arguments, {*fs, *registry}, std::cout, std::cerr);
}
