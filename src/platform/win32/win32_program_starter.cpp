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

Result<std::filesystem::path> SystemTextEditor() {
  std::wstring folder(MAX_PATH, L'\0');
  UINT length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (length >= folder.size()) {
    folder.resize(length);
    length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  }
  if (length == 0 || length >= folder.size()) {
    return Status::Failure(std::string("Could not start ") + kTextEditor + ": " +
                           WindowsErrorReason(GetLastError()) + ".");
  }
  folder.resize(length);
  return std::filesystem::path(folder) / kTextEditor;
}

Status StartDetached(std::wstring command_line, const std::string& program,
                     const std::filesystem::path& application) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  // CreateProcessW may write to the command line, hence the copy taken.
  if (!CreateProcessW(application.empty() ? nullptr : application.c_str(), command_line.data(),
                      nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    return Status::Failure("Could not start " + program + ": " +
                           WindowsErrorReason(GetLastError()) + ".");
  }
  // Not waited for: the handles go, the program runs on.
  const UniqueKernelHandle process(started.hProcess);
  const UniqueKernelHandle thread(started.hThread);
  return Status::Ok();
}

Status Win32ProgramStarter::OpenInTextEditor(const std::filesystem::path& file) {
  // Named by its full path: a search for "notepad.exe" looks in the program's
  // folder and the working folder before the system's, and would run any
  // notepad.exe left there.
  const Result<std::filesystem::path> notepad = SystemTextEditor();
  if (!notepad) return notepad.status();
  return StartDetached(TextEditorCommandLine(file), kTextEditor, *notepad);
}

}  // namespace quillet
