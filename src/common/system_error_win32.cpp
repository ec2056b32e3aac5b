#include <windows.h>

#include <cerrno>

#include "common/ansi_text.h"
#include "common/system_error.h"

namespace quillet {

std::string WindowsErrorReason(unsigned long error, const char* otherwise) {
  switch (error) {
    case ERROR_SUCCESS:
      return ErrnoReason(0);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ErrnoReason(ENOENT);
    case ERROR_ACCESS_DENIED:
      return ErrnoReason(EACCES);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
      return ErrnoReason(EWOULDBLOCK);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ErrnoReason(ENOSPC);
    case ERROR_WRITE_PROTECT:
      return ErrnoReason(EROFS);
    default:
      break;
  }
  if (otherwise != nullptr) return otherwise;
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string wide;
  if (text != nullptr) wide.assign(reinterpret_cast<const char16_t*>(text), length);
  LocalFree(text);
  std::string reason = AsReason(ToUtf8(wide));
  return reason.empty() ? "Windows error " + std::to_string(error) : reason;
}

}  // namespace quillet
