// Starting Notepad and other programs on Windows, without waiting for them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "labellist/label_list.h"

namespace quillet {

class Win32ProgramStarter : public ProgramStarter {
 public:
  // CreateProcessW with the command line below, the window shown normally and
  // active; the process is left to run on its own.
  Status StartDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override;
  // ShellExecuteExW "open": the program registered for the file's type.
  Status OpenWithDefaultApplication(const std::filesystem::path& file) override;
};

// The command line that gives `program` these arguments as the C runtime and
// CommandLineToArgvW read it: each part quoted only when it is empty or holds a
// blank, tab or quote, so ("notepad.exe", {"LabelList.txt"}) gives exactly
// "notepad.exe LabelList.txt". Texts are UTF-8.
std::wstring WindowsCommandLine(std::string_view program,
                                const std::vector<std::string>& arguments);

}  // namespace quillet
