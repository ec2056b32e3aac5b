#include "platform/win32/win32_program_starter.h"

#include <windows.h>

#include "common/system_error.h"
#include "common/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace quillet {
namespace {

constexpr char kTextEditor[] = "notepad.exe";

bool NeedsQuotes(std::wstring_view part) {
  return part.empty() || part.find_first_of(L" \t\n\v\"") != std::wstring_view::npos;
}

// One argument by the rules of the C runtime: inside quotes, backslashes
// count only before a quote, so those (and the ones before the closing
// quote) are doubled, and a quote is written \".
void AppendArgument(std::wstring& line, std::wstring_view argument) {
  if (!NeedsQuotes(argument)) {
    line += argument;
    return;
  }
  line += L'"';
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') {
      line.append(2 * backslashes + 1, L'\\');
    } else {
      line.append(backslashes, L'\\');
    }
    backslashes = 0;
    line += c;
  }
  line.append(2 * backslashes, L'\\');
  line += L'"';
}

}  // namespace

std::wstring WindowsCommandLine(std::string_view program,
                                const std::vector<std::string>& arguments) {
  // The program's name ends at the first blank unless quoted; a file name
  // holds no quote, so it needs no escapes.
  const std::wstring name = WideFromUtf8(program);
  std::wstring line = NeedsQuotes(name) ? L"\"" + name + L"\"" : name;
  for (const std::string& argument : arguments) {
    line += L' ';
    AppendArgument(line, WideFromUtf8(argument));
  }
  return line;
}

std::wstring TextEditorCommandLine(const std::filesystem::path& file) {
  const std::u8string name = file.u8string();
  return WindowsCommandLine(kTextEditor, {std::string(name.begin(), name.end())});
}

Status StartDetached(std::wstring command_line, const std::string& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  // CreateProcessW may write to the command line, hence the copy taken.
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return Status::Failure("Could not start " + program + ": " +
                           WindowsErrorReason(GetLastError()) + ".");
  }
  // Not waited for: the handles go, the program runs on.
  const UniqueKernelHandle process(started.hProcess);
  const UniqueKernelHandle thread(started.hThread);
  return Status::Ok();
}

Status Win32ProgramStarter::OpenInTextEditor(const std::filesystem::path& file) {
  return StartDetached(TextEditorCommandLine(file), kTextEditor);
}

}  // namespace quillet
