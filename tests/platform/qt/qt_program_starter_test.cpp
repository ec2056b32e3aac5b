#include "platform/qt/qt_program_starter.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QTest>

#include <filesystem>
#include <string>

#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::ReadBytes;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::WriteBytes;

// xdg-open gives its answer only once the test lets it ("answer" exists), as
// one does that searches for a program or waits for the editor it started:
// the call has returned long before, and the answer is shown when it comes.
TEST(QtProgramStarter, NeverWaitsForXdgOpenAndShowsItsFailureWhenItComes) {
  struct Case {
    const char* xdg_open;  // what the xdg-open on PATH does at the end; null: there is none
    const char* reason;    // of the failure; null when the file counts as opened
  };
  const Case cases[] = {
      {"exit 3", "no program to show text files was found on this computer"},
      {"exit 4", "the program to show text files could not open it"},
      {"exit 0", nullptr},  // the editor it waited for was closed
      {nullptr, "no program to show text files was found on this computer"},
  };
  const std::string path = getenv("PATH");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xdg_open ? c.xdg_open : "none");
    TempDir dir(TempDir::kEnter);
    std::filesystem::create_directory(dir / "bin");
    if (c.xdg_open != nullptr) {
      WriteBytes(dir / "bin" / "xdg-open",
                 "#!/bin/sh\nprintf %s \"$1\" >argument\n"
                 "while [ ! -e answer ]; do sleep 0.02; done\ntouch answered\n" +
                     std::string(c.xdg_open) + "\n");
      std::filesystem::permissions(dir / "bin" / "xdg-open", std::filesystem::perms::owner_all);
    }
    WriteBytes("LabelList.txt", "");
    setenv("PATH", ((dir / "bin").string() + (c.xdg_open ? ":" + path : "")).c_str(), 1);
    RecordingMessageBoxes messages;
    QtProgramStarter starter(messages);
    const Status status = starter.OpenInTextEditor("LabelList.txt");
    setenv("PATH", path.c_str(), 1);

    const std::string failure = c.reason
                                    ? "Could not open the file \"" +
                                          (dir / "LabelList.txt").string() + "\": " + c.reason + "."
                                    : "";
    if (c.xdg_open == nullptr) {
      EXPECT_EQ(status.message(), failure);  // known at once
      continue;
    }
    ASSERT_TRUE(status.ok()) << status.message();
    ASSERT_TRUE(QTest::qWaitFor([] { return std::filesystem::exists("argument"); }, 5000));
    EXPECT_EQ(ReadBytes("argument"), (dir / "LabelList.txt").string());
    EXPECT_TRUE(messages.shown.empty());
    WriteBytes("answer", "");
    ASSERT_TRUE(QTest::qWaitFor([] { return std::filesystem::exists("answered"); }, 5000));
    // A success shows nothing: a little time for a message that must not come.
    const bool shown =
        QTest::qWaitFor([&] { return !messages.shown.empty(); }, c.reason ? 5000 : 300);
    ASSERT_EQ(shown, c.reason != nullptr);
    if (shown) {
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown[0].text, failure);
    }
  }
}

}  // namespace
}  // namespace quillet
