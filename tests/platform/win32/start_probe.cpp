// Started by the program starter's tests: writes what it was started with,
// its command line, the window show state it was given and its arguments as
// Windows splits them, to "probe.txt" in its working directory (UTF-8).
#include <windows.h>

#include <shellapi.h>

#include <fstream>
#include <string>

#include "common/ansi_text.h"

namespace {

std::string Utf8(const wchar_t* text) {
  const std::wstring wide(text);
  return quillet::ToUtf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace

int main() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  {
    std::ofstream out("probe.tmp", std::ios::binary);
    out << Utf8(GetCommandLineW()) << '\n'
        << ((startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1) << '\n';
    for (int i = 1; i < count; ++i) out << Utf8(arguments[i]) << '\n';
  }
  LocalFree(arguments);
  // Whole or not at all for the test that waits for it.
  return MoveFileExW(L"probe.tmp", L"probe.txt", MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
