#include "platform/qt/qt_program_starter.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(QtProgramStarter, SaysSoWhenXdgOpenFindsNoProgramAndTrustsOneThatRunsOn) {
  struct Case {
    const char* xdg_open;  // what the xdg-open on PATH does after noting its argument; null: none
    const char* reason;    // of the failure; null when the file counts as opened
  };
  const Case cases[] = {
      {"exit 3", "no program to show text files was found on this computer"},
      {"exit 4", "the program to show text files could not open it"},
      {"exit 0", nullptr},
      {"exec sleep 20", nullptr},  // it waits for the editor it started
      {nullptr, "no program to show text files was found on this computer"},
  };
  const std::string path = getenv("PATH");
  for (const Case& c : cases) {
    TempDir dir(TempDir::kEnter);
    std::filesystem::create_directory(dir / "bin");
    if (c.xdg_open != nullptr) {
      WriteBytes(dir / "bin" / "xdg-open", "#!/bin/sh\necho $$ >pid\nprintf %s \"$1\" >argument\n" +
                                               std::string(c.xdg_open) + "\n");
      std::filesystem::permissions(dir / "bin" / "xdg-open", std::filesystem::perms::owner_all);
    }
    WriteBytes("LabelList.txt", "");
    setenv("PATH", ((dir / "bin").string() + (c.xdg_open ? ":" + path : "")).c_str(), 1);
    const auto start = std::chrono::steady_clock::now();
    const Status status = QtProgramStarter().OpenInTextEditor("LabelList.txt");
    const auto took = std::chrono::steady_clock::now() - start;
    setenv("PATH", path.c_str(), 1);
    if (c.xdg_open != nullptr && std::string(c.xdg_open).find("sleep") != std::string::npos) {
      kill(std::stoi(ReadBytes("pid")), SIGTERM);  // the editor it waits for is done
    }

    const std::string full = (dir / "LabelList.txt").string();
    EXPECT_LT(took, std::chrono::seconds(5));
    if (c.xdg_open != nullptr) {
      EXPECT_EQ(ReadBytes("argument"), full);
    }
    EXPECT_EQ(status.message(),
              c.reason ? "Could not open the file \"" + full + "\": " + c.reason + "." : "");
  }
}

}  // namespace
}  // namespace quillet
