// The part of the file access that is the same on every system; the rest is
// in text_file_posix.cpp and text_file_win32.cpp.
#include "common/text_file.h"

#include <algorithm>
#include <thread>

#include "common/text_file_internal.h"

namespace quillet {

namespace fs = std::filesystem;

namespace text_file_internal {

std::string TooLong() {
  return "it is too long (more than " + std::to_string(kMaxReadBytes / (1024 * 1024)) + " MB)";
}

Status Failure(const char* action, const fs::path& file, const std::string& reason) {
  return Status::Failure(std::string("Could not ") + action + " the file \"" + DisplayName(file) +
                         "\": " + reason + ".");
}

bool WaitToRetryLock(std::chrono::steady_clock::time_point start) {
  const auto left = kLockWait - (std::chrono::steady_clock::now() - start);
  if (left <= std::chrono::steady_clock::duration::zero()) return false;
  std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, kLockRetry));
  return true;
}

fs::path TemporaryName(const fs::path& target, std::random_device& random) {
  fs::path name = target;
  name += ".tmp" + std::to_string(random() % 1000000);
  return name;
}

}  // namespace text_file_internal

std::string DisplayName(const fs::path& file) {
  // A bare "Quillex.dat" does not tell the user which folder to look in.
  std::error_code error;
  fs::path shown = fs::absolute(file, error);
  if (error) shown = file;
  const auto text = shown.u8string();
  return std::string(text.begin(), text.end());
}

bool FileExists(const fs::path& file) {
  std::error_code error;
  return fs::exists(fs::symlink_status(file, error));
}

}  // namespace quillet
