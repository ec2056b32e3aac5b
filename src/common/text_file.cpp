#include "common/text_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace quillet {
namespace {

std::FILE* OpenFile(const std::filesystem::path& file, const char* mode) {
#ifdef _WIN32
  std::wstring wide_mode(mode, mode + std::strlen(mode));
  return _wfopen(file.c_str(), wide_mode.c_str());
#else
  return std::fopen(file.c_str(), mode);
#endif
}

std::string Reason(int error) {
  if (error == 0) return "the system gave no reason";
  std::string reason = std::strerror(error);
  if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(reason[0]));
  return reason;
}

Status Failure(const char* action, const std::filesystem::path& file, int error) {
  return Status::Failure(std::string("Could not ") + action + " the file \"" + DisplayName(file) +
                         "\": " + Reason(error) + ".");
}

// Writes all bytes and closes the stream, reporting the first error.
int WriteAndClose(std::FILE* stream, std::string_view bytes) {
  errno = 0;
  // An empty view may have a null data(), which fwrite must not be given.
  const bool written =
      bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
  int error = written ? 0 : (errno != 0 ? errno : EIO);
  errno = 0;
  if (std::fflush(stream) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  errno = 0;
  if (std::fclose(stream) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  return error;
}

}  // namespace

std::string DisplayName(const std::filesystem::path& file) {
  const auto text = file.u8string();
  return std::string(text.begin(), text.end());
}

bool FileExists(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(file, error));
}

Result<std::string> ReadFileBytes(const std::filesystem::path& file) {
  errno = 0;
  std::FILE* stream = OpenFile(file, "rb");
  if (stream == nullptr) return Failure("open", file, errno);
  std::string bytes;
  char buffer[65536];
  std::size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0) bytes.append(buffer, count);
  const int error = std::ferror(stream) ? (errno != 0 ? errno : EIO) : 0;
  std::fclose(stream);
  if (error != 0) return Failure("read", file, error);
  return bytes;
}

Status ReplaceFileBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::random_device random;
  auto temporary = file;
  temporary += ".tmp" + std::to_string(random() % 1000000);
  errno = 0;
  std::FILE* stream = OpenFile(temporary, "wb");
  if (stream == nullptr) return Failure("write", file, errno);
  if (const int error = WriteAndClose(stream, bytes); error != 0) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return Failure("write", file, error);
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return Failure("replace", file, error.value());
  }
  return Status::Ok();
}

Status AppendToFile(const std::filesystem::path& file, std::string_view bytes) {
  std::error_code size_error;
  const bool existed = FileExists(file);
  const auto old_size = existed ? std::filesystem::file_size(file, size_error) : 0;
  errno = 0;
  std::FILE* stream = OpenFile(file, "ab");
  if (stream == nullptr) return Failure("add to", file, errno);
  if (const int error = WriteAndClose(stream, bytes); error != 0) {
    // Take back a partial batch so the list holds only whole records.
    std::error_code ignored;
    if (!size_error) std::filesystem::resize_file(file, old_size, ignored);
    return Failure("add to", file, error);
  }
  return Status::Ok();
}

}  // namespace quillet
