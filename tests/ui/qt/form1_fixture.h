// A main window on doubles of every outside thing, in a fresh working directory.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>

#include <memory>
#include <vector>

#include "support/form1_access.h"
#include "support/temp_dir.h"
#include "support/window_services.h"

namespace quillet::testing {

class Form1Test : public ::testing::Test, protected WindowServices {
 protected:
  void SetUp() override { window = std::make_unique<WatchedForm1>(ForWindow(), ended); }
  void TearDown() override { window.reset(); }

  QLineEdit* Box(int group, int index, Line line) { return CellBox(*window, group, index, line); }

  TempDir folder{TempDir::kEnter};  // first, so the window loads inside it
  std::vector<int> ended;           // the status of each Exit
  std::unique_ptr<Form1> window;
};

}  // namespace quillet::testing
