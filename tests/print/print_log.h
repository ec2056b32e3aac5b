// Reading a recorded sheet print back as the 162 placed lines.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace quillet::testing {

// The set-up lines every sheet print starts with.
inline const std::vector<std::string> kPageSetUp = {
    "ScaleMode 5", "Orientation 2", "ScaleLeft -5.49", "ScaleTop -4.6875", "FontName Courier New"};

struct PlacedLine {
  float y = 0;
  float x = 0;
  std::string print;  // the Print line as recorded
};

inline float NumberAfter(const std::string& line, const std::string& name) {
  EXPECT_EQ(line.rfind(name + " ", 0), 0u) << line;
  return std::strtof(line.c_str() + name.size() + 1, nullptr);
}

// The CurrentY / CurrentX / Print triples after the set-up, in order.
inline std::vector<PlacedLine> PlacedLines(const std::vector<std::string>& log) {
  std::vector<PlacedLine> lines;
  for (std::size_t k = kPageSetUp.size(); k + 2 < log.size(); k += 3) {
    lines.push_back(
        {NumberAfter(log[k], "CurrentY"), NumberAfter(log[k + 1], "CurrentX"), log[k + 2]});
  }
  return lines;
}

// Position in the print pass of a line: column by column, row by row, line 1 first.
inline std::size_t PrintPosition(int group, int index, int line) {
  return static_cast<std::size_t>(index * 18 + (group - 1) * 2 + (line - 1));
}

}  // namespace quillet::testing
