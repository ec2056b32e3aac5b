// A main window on doubles, opened wherever the test stands, for tests that
// arrange the working directory before the window loads.
#pragma once

#include <QAction>
#include <QApplication>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "faults/fault_env.h"
#include "support/form1_access.h"
#include "support/temp_dir.h"
#include "support/window_services.h"

namespace quillet::testing {

struct WindowDoubles : WindowServices {
  // Loads in the current working directory and shows the window; messages
  // shown at load are out.
  std::unique_ptr<Form1> Open() {
    auto window = std::make_unique<Form1>(ForWindow());
    window->show();
    QApplication::processEvents();
    return window;
  }
  // Runs a menu item and gives the one message it showed, or "" for none.
  std::string Trigger(Form1& window, const char* item) {
    const std::size_t before = messages.shown.size();
    MenuItem(window, item)->trigger();
    QApplication::processEvents();
    if (messages.shown.size() == before) return "";
    EXPECT_EQ(messages.shown.size(), before + 1) << item;
    EXPECT_TRUE(messages.shown.back().error) << item;
    UserSaw(messages.shown.back().text);
    return messages.shown.back().text;
  }
  std::string LastMessage() const {
    return messages.shown.empty() ? "" : messages.shown.back().text;
  }
};

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// How a message names a file of the working directory: by its full path, in quotes.
inline std::string QuotedFullName(const char* name) {
  return "\"" + (std::filesystem::current_path() / name).string() + "\"";
}

}  // namespace quillet::testing
