// The install record: the profile file "\QL\qlever2.con" in the simulator folder that remembers,
// per aircraft family, whether the gauge is installed, whether the optional further models were
// present at the latest start, and whether the first-run question is still due.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/status.h"

namespace ql2 {

namespace record {
inline constexpr std::string_view kRelativePath = "\\QL\\qlever2.con";

inline constexpr std::string_view kCheyenneSection = "Cheyenne";
inline constexpr std::string_view kAtrSection = "ATR";
inline constexpr std::string_view kPmdgSection = "PMDG";
inline constexpr std::string_view kPicSection = "PIC";
inline constexpr std::string_view kOptionsSection = "Options";

inline constexpr std::string_view kInstalledKey = "Installed";
inline constexpr std::string_view kFullKey = "Full";
inline constexpr std::string_view kFirstTimeKey = "First Time";

inline constexpr std::string_view kYes = "1";
inline constexpr std::string_view kNo = "0";

// Values are read into a buffer of ten characters, so at most nine are kept.
inline constexpr std::size_t kValueBufferSize = 10;
}  // namespace record

class InstallRecord {
 public:
  // The record of the simulator in sim_folder, its path formed afresh from the folder.
  InstallRecord(FileSystem& fs, std::string_view sim_folder);

  const std::string& path() const { return path_; }

  // A key's text: at most nine characters, and empty for a missing file, section or key. An
  // unreadable file is an error.
  Result<std::string> ReadText(std::string_view section, std::string_view key) const;

  // A key taken as a number: at most nine characters, the longest numeric prefix, and 0 for a
  // missing file, section or key. An unreadable file is an error.
  Result<double> ReadNumber(std::string_view section, std::string_view key) const;

  // Sets a key; the file, section or key is created when missing (not the folder).
  Status Write(std::string_view section, std::string_view key, std::string_view value);

 private:
  FileSystem& fs_;
  std::string path_;
};

}  // namespace ql2
