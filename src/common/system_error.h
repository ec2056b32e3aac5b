// The reason a system call failed, in the words every message of the program
// uses: the common failures in the same plain words on every platform, the
// system's own text for the rest. The reason is in lower case and without a
// closing full stop, for a message that names the file first and goes on
// after it; it is never empty.
#pragma once

#include <string>

namespace quillet {

// An errno value.
std::string ErrnoReason(int error);

// A Windows error code (GetLastError()); only on Windows. With `otherwise`,
// an error that has no words of the program's own gets those words instead of
// the system's text.
std::string WindowsErrorReason(unsigned long error, const char* otherwise = nullptr);

// The system's own text made a reason: the first letter in lower case, the
// closing full stop and line break taken off. Empty when the text was.
std::string AsReason(std::string text);

}  // namespace quillet
