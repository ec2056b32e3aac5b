// Starting Notepad and other programs on Windows, without waiting for them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "labellist/program_starter.h"

namespace quillet {

class Win32ProgramStarter : public ProgramStarter {
 public:
  // Notepad offers to create a missing file itself.
  Win32ProgramStarter() : ProgramStarter(/*editor_creates_missing_files=*/true) {}
  // The system folder's Notepad with TextEditorCommandLine(file).
  Status OpenInTextEditor(const std::filesystem::path& file) override;
};

// "notepad.exe LabelList.txt": the name as given, which Notepad resolves
// against the working directory it takes over from us.
std::wstring TextEditorCommandLine(const std::filesystem::path& file);

// "C:\Windows\system32\notepad.exe": Notepad in the system folder.
Result<std::filesystem::path> SystemTextEditor();

// Runs `command_line` through CreateProcessW, the window shown normally and
// active, and leaves the process to run on its own. `application`, when
// given, is the program file run; otherwise the command line's first word is
// looked up. `program` names it in the message of a failure.
Status StartDetached(std::wstring command_line, const std::string& program,
                     const std::filesystem::path& application = {});

// The command line that gives `program` these arguments as the C runtime and
// CommandLineToArgvW read it: each part quoted only when it is empty or holds a
// blank, tab or quote, so ("notepad.exe", {"LabelList.txt"}) gives exactly
// "notepad.exe LabelList.txt". Texts are UTF-8.
std::wstring WindowsCommandLine(std::string_view program,
                                const std::vector<std::string>& arguments);

}  // namespace quillet
