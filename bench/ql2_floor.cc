// ql2_floor: the least any safe program must do to install and remove the gauge of one family,
// the floor the benchmark measures the program against. It does the clicks' file traffic with the
// same durability and nothing else: no parsing, no checks, no record.
//
//   ql2_floor SIM_FOLDER install FAMILY   reads each panel file, writes its backup and the edited
//                                         file (the gauge window appended)
//   ql2_floor SIM_FOLDER remove FAMILY    reads each backup, writes it over its panel file and
//                                         deletes it
//   ql2_floor --with-record ...           then also reads the install record and writes it again,
//                                         as every click must (the floor without it leaves out
//                                         that file's traffic: two flushes a click)
//
// Every file is written to a temporary beside it, flushed, renamed over it, and its folder
// flushed, as the program writes. Paths are taken exactly as the family's table spells them.
// Exit status: 0 done, 1 a file failed, 2 wrong usage.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "aircraft/family.h"
#include "platform/sim_path.h"
#include "record/install_record.h"

namespace ql2 {
namespace floor {
namespace {

// What the floor adds to a panel file: about the size of a gauge window and its title.
constexpr std::string_view kAppended =
    "\r\n[Window99]\r\nBackground_color=0,0,0\r\nsize_mm=1280,960\r\nwindow_size_ratio=1.000\r\n"
    "position=0\r\nVisible=0\r\nident=80\r\nwindow_size=1.000, 1.000\r\nwindow_pos=0.000, 0.000\r\n"
    "\r\ngauge00=QLever2!Cp6uja,  0,0,30,30   //Quillever gauge by Tamsel\r\n";

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  std::perror((what + " " + path).c_str());
  std::exit(1);
}

std::string Read(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail("open", path);
  struct stat st;
  if (fstat(fd, &st) != 0) Fail("stat", path);
  std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = read(fd, &bytes[done], bytes.size() - done);
    if (n <= 0) Fail("read", path);
    done += static_cast<std::size_t>(n);
  }
  close(fd);
  return bytes;
}

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.find_last_of('/'));
}

// Written beside, flushed, renamed over, the folder flushed.
void Replace(const std::string& path, std::string_view first, std::string_view second = {}) {
  std::string temp = path + ".ql2-XXXXXX";
  const int fd = mkstemp(&temp[0]);
  if (fd < 0) Fail("create", temp);
  for (std::string_view part : {first, second}) {
    while (!part.empty()) {
      const ssize_t n = write(fd, part.data(), part.size());
      if (n <= 0) Fail("write", temp);
      part.remove_prefix(static_cast<std::size_t>(n));
    }
  }
  if (fsync(fd) != 0 || close(fd) != 0) Fail("flush", temp);
  if (rename(temp.c_str(), path.c_str()) != 0) Fail("rename", temp);
  const int folder = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0 || fsync(folder) != 0) Fail("flush", FolderOf(path));
  close(folder);
}

int Usage() {
  std::fprintf(stderr, "usage: ql2_floor [--with-record] SIM_FOLDER install|remove FAMILY\n");
  return 2;
}

int Run(int argc, char** argv) {
  const bool with_record = argc > 1 && std::string_view(argv[1]) == "--with-record";
  if (with_record) {
    --argc;
    ++argv;
  }
  if (argc != 4) return Usage();
  const std::string sim_folder = argv[1];
  const std::string_view command = argv[2];
  const Family* family = FindFamily(argv[3]);
  if (family == nullptr || (command != "install" && command != "remove")) return Usage();
  for (const PanelFile& file : family->files) {
    const std::string config = JoinSimPath(sim_folder, file.config, '/');
    const std::string backup = JoinSimPath(sim_folder, file.backup, '/');
    if (command == "install") {
      const std::string bytes = Read(config);
      Replace(backup, bytes);
      Replace(config, bytes, kAppended);
    } else {
      Replace(config, Read(backup));
      if (unlink(backup.c_str()) != 0) Fail("delete", backup);
    }
  }
  if (with_record) {
    const std::string record = JoinSimPath(sim_folder, record::kRelativePath, '/');
    Replace(record, Read(record));
  }
  return 0;
}

}  // namespace
}  // namespace floor
}  // namespace ql2

int main(int argc, char** argv) {
  return ql2::floor::Run(argc, argv);
}
