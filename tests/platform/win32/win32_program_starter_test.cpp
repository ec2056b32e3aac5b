#include "platform/win32/win32_program_starter.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <tlhelp32.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "common/ansi_text.h"
#include "platform/win32/win32_program_file_query.h"
#include "platform/win32/win32_text.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::TempDir;

TEST(WindowsCommandLine, QuotesOnlyWhatNeedsIt) {
  struct Case {
    std::string program;
    std::vector<std::string> arguments;
    std::wstring line;
  };
  const Case cases[] = {
      {"notepad.exe", {"LabelList.txt"}, L"notepad.exe LabelList.txt"},
      {"notepad.exe", {}, L"notepad.exe"},
      {"C:\\Program Files\\x.exe", {"a"}, L"\"C:\\Program Files\\x.exe\" a"},
      {"x", {"two words", ""}, L"x \"two words\" \"\""},
      {"x", {"C:\\dir\\", "C:\\my dir\\"}, L"x C:\\dir\\ \"C:\\my dir\\\\\""},
      {"x", {"say \"hi\"", "a\\\"b"}, L"x \"say \\\"hi\\\"\" \"a\\\\\\\"b\""},
      {"x", {"tab\there"}, L"x \"tab\there\""},
      {"x", {"Liste é.txt"}, L"x \"Liste \u00e9.txt\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WindowsCommandLine(c.program, c.arguments), c.line);
  }
  EXPECT_EQ(TextEditorCommandLine("LabelList.txt"), L"notepad.exe LabelList.txt");
}

// The probe next to this test program, copied to a folder and name with blanks.
std::filesystem::path ProbeIn(const TempDir& dir) {
  const std::filesystem::path here = std::filesystem::path(RunningProgramPath()).parent_path();
  const auto copy = dir / "with blank" / "start probe.exe";
  std::filesystem::create_directories(copy.parent_path());
  std::filesystem::copy_file(here / "start_probe.exe", copy);
  return copy;
}

// The probe's lines, once they can be read: under Wine the file that the
// probe renames into place shows a moment before another process may open it.
std::vector<std::string> WaitForProbe() {
  std::ifstream file;
  for (int tries = 0; tries < 400 && !file.is_open(); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    file.open("probe.txt", std::ios::binary);
  }
  std::vector<std::string> lines;
  std::istringstream in(std::string(std::istreambuf_iterator<char>(file), {}));
  file.close();
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::filesystem::remove("probe.txt");
  return lines;
}

TEST(StartDetached, StartsTheProgramShownNormallyWithItsArgumentsIntact) {
  TempDir dir(TempDir::kEnter);  // the probe writes into the working folder it inherits
  const std::u8string path = ProbeIn(dir).u8string();
  const std::string probe(path.begin(), path.end());
  const std::vector<std::string> argument_lists[] = {
      {"LabelList.txt"},
      {"two words", "", "say \"hi\"", "C:\\my dir\\", "a\\\\b", "Liste é.txt"},
  };
  for (const auto& arguments : argument_lists) {
    ASSERT_TRUE(StartDetached(WindowsCommandLine(probe, arguments), probe).ok());
    const std::vector<std::string> seen = WaitForProbe();
    ASSERT_EQ(seen.size(), arguments.size() + 2);
    EXPECT_EQ(seen[0], ToUtf8(FromWide(WindowsCommandLine(probe, arguments))));
    EXPECT_EQ(seen[1], std::to_string(SW_SHOWNORMAL));
    EXPECT_EQ(std::vector<std::string>(seen.begin() + 2, seen.end()), arguments);
  }
}

// The program file of a notepad.exe this process started, which is ended so
// that no editor outlives the test; empty when there is none.
std::filesystem::path EndStartedNotepad() {
  std::wstring file(MAX_PATH * 4, L'\0');
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && file[0] == L'\0';
       more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ParentProcessID != GetCurrentProcessId()) continue;
    if (_wcsicmp(entry.szExeFile, L"notepad.exe") != 0) continue;
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, entry.th32ProcessID);
    DWORD size = static_cast<DWORD>(file.size());
    QueryFullProcessImageNameW(process, 0, file.data(), &size);
    TerminateProcess(process, 0);
    CloseHandle(process);
  }
  CloseHandle(snapshot);
  return file.c_str();
}

TEST(Win32ProgramStarter, StartsTheSystemNotepadNotOneInTheWorkingFolder) {
  TempDir dir(TempDir::kEnter);
  // A planted notepad.exe that would write probe.txt here if it ran.
  std::filesystem::copy_file(ProbeIn(dir), dir / "notepad.exe");
  ASSERT_TRUE(Win32ProgramStarter().OpenInTextEditor("LabelList.txt").ok());
  std::filesystem::path started;
  for (int tries = 0; tries < 100 && started.empty(); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    started = EndStartedNotepad();
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_FALSE(std::filesystem::exists("probe.txt")) << "the planted notepad.exe ran";
  ASSERT_TRUE(SystemTextEditor().ok());
  EXPECT_TRUE(!started.empty() && std::filesystem::equivalent(started, *SystemTextEditor()))
      << started;
}

TEST(StartDetached, AProgramThatCannotBeStartedIsAFailureNamingIt) {
  const Status started = StartDetached(L"no-such-quillet-editor.exe", "no-such-quillet-editor.exe");
  ASSERT_FALSE(started.ok());
  EXPECT_EQ(started.message(),
            "Could not start no-such-quillet-editor.exe: no such file or directory.");
}

}  // namespace
}  // namespace quillet
