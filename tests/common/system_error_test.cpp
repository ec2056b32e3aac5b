#include "common/system_error.h"

#include <gtest/gtest.h>

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillet {
namespace {

TEST(SystemError, TheCommonFailuresInTheSameWordsOnEverySystem) {
  struct Case {
    const char* name;
    std::string reason;
    const char* words;
  };
  const Case cases[] = {
      {"0", ErrnoReason(0), "the system gave no reason"},
      {"ENOENT", ErrnoReason(ENOENT), "no such file or directory"},
      {"EACCES", ErrnoReason(EACCES), "permission denied"},
      {"ENOSPC", ErrnoReason(ENOSPC), "no space left on device"},
      {"EROFS", ErrnoReason(EROFS), "read-only file system"},
      {"ELOOP", ErrnoReason(ELOOP), nullptr},
      {"EISDIR", ErrnoReason(EISDIR), nullptr},
#ifdef _WIN32
      {"ERROR_SUCCESS", WindowsErrorReason(ERROR_SUCCESS), "the system gave no reason"},
      {"ERROR_FILE_NOT_FOUND", WindowsErrorReason(ERROR_FILE_NOT_FOUND),
       "no such file or directory"},
      {"ERROR_PATH_NOT_FOUND", WindowsErrorReason(ERROR_PATH_NOT_FOUND),
       "no such file or directory"},
      {"ERROR_ACCESS_DENIED", WindowsErrorReason(ERROR_ACCESS_DENIED), "permission denied"},
      {"ERROR_SHARING_VIOLATION", WindowsErrorReason(ERROR_SHARING_VIOLATION),
       "it is in use by another program"},
      {"ERROR_LOCK_VIOLATION", WindowsErrorReason(ERROR_LOCK_VIOLATION),
       "it is in use by another program"},
      {"ERROR_UNABLE_TO_REMOVE_REPLACED", WindowsErrorReason(ERROR_UNABLE_TO_REMOVE_REPLACED),
       "it is in use by another program"},
      {"ERROR_DISK_FULL", WindowsErrorReason(ERROR_DISK_FULL), "no space left on device"},
      {"ERROR_HANDLE_DISK_FULL", WindowsErrorReason(ERROR_HANDLE_DISK_FULL),
       "no space left on device"},
      {"ERROR_WRITE_PROTECT", WindowsErrorReason(ERROR_WRITE_PROTECT), "read-only file system"},
      {"no text", WindowsErrorReason(0x2FFFFFFF), "Windows error 805306367"},
      {"ERROR_INVALID_FUNCTION", WindowsErrorReason(ERROR_INVALID_FUNCTION), nullptr},
      {"ERROR_NOT_READY", WindowsErrorReason(ERROR_NOT_READY), nullptr},
#endif
  };
  for (const Case& c : cases) {
    if (c.words != nullptr) {
      EXPECT_EQ(c.reason, c.words) << c.name;
      continue;
    }
    // The system's own text, made to go on after the file's name.
    ASSERT_FALSE(c.reason.empty()) << c.name;
    EXPECT_FALSE(c.reason[0] >= 'A' && c.reason[0] <= 'Z') << c.name << ": " << c.reason;
    EXPECT_EQ(c.reason.find_first_of("\r\n"), std::string::npos) << c.name << ": " << c.reason;
    EXPECT_NE(c.reason.back(), '.') << c.name << ": " << c.reason;
  }
}

TEST(SystemError, TheSystemsTextBecomesAReason) {
  EXPECT_EQ(AsReason("Access is denied.\r\n"), "access is denied");
  EXPECT_EQ(AsReason("No such device. \n"), "no such device");
  EXPECT_EQ(AsReason("\303\234ber."), "\303\234ber");  // only ASCII is lowered
  EXPECT_EQ(AsReason(".\r\n"), "");
}

}  // namespace
}  // namespace quillet
