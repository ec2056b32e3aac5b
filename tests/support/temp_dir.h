// Scratch folders and byte-level file helpers shared by the tests.
#pragma once

#include <filesystem>
#include <string>

namespace quillet::testing {

// A fresh empty folder, removed with everything in it when the object goes.
// With kEnter it also becomes the working directory until then, for code that
// uses bare relative file names.
class TempDir {
 public:
  enum Mode { kStay, kEnter };
  explicit TempDir(Mode mode = kStay);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_cwd_;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace quillet::testing
