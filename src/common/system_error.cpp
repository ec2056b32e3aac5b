#include "common/system_error.h"

#include <cerrno>
#include <cstring>

namespace quillet {

// Lower case and no closing full stop or line break, as the messages need it.
std::string AsReason(std::string text) {
  while (!text.empty() &&
         (text.back() == '\n' || text.back() == '\r' || text.back() == '.' || text.back() == ' ')) {
    text.pop_back();
  }
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') {
    text[0] = static_cast<char>(text[0] - 'A' + 'a');
  }
  return text;
}

std::string ErrnoReason(int error) {
  // Fixed words for the failures users meet, whatever the C library or the
  // language of the system says.
  switch (error) {
    case 0:
      return "the system gave no reason";
    case ENOENT:
      return "no such file or directory";
    case EACCES:
      return "permission denied";
    case ENOSPC:
      return "no space left on device";
    case EROFS:
      return "read-only file system";
    case EWOULDBLOCK:  // a lock held elsewhere
      return "it is in use by another program";
    default:
      break;
  }
  std::string reason = AsReason(std::strerror(error));
  return reason.empty() ? "error " + std::to_string(error) : reason;
}

}  // namespace quillet
