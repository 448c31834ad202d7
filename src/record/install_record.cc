#include "record/install_record.h"

#include "platform/profile.h"
#include "platform/sim_path.h"

namespace ql2 {

InstallRecord::InstallRecord(FileSystem& fs, std::string_view sim_folder)
    : fs_(fs), path_(JoinSimPath(sim_folder, record::kRelativePath, fs.Separator())) {}

Result<std::string> InstallRecord::ReadText(std::string_view section, std::string_view key) const {
  return profile::ReadFileString(fs_, path_, section, key, "", record::kValueBufferSize);
}

Result<double> InstallRecord::ReadNumber(std::string_view section, std::string_view key) const {
  Result<std::string> text = ReadText(section, key);
  if (!text.ok()) return text.status();
  return profile::ParseNumber(text.value());
}

Status InstallRecord::Write(std::string_view section, std::string_view key,
                            std::string_view value) {
  return profile::WriteFileString(fs_, path_, section, key, value);
}

}  // namespace ql2
