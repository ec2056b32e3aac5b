// Starting the platform's text editor on the label list; each platform has
// its own way.
#pragma once

#include <filesystem>

#include "common/result.h"

namespace quillet {

// Starts the platform's text editor without waiting for it.
class ProgramStarter {
 public:
  // `editor_creates_missing_files`: the editor offers to create a file that
  // does not exist yet (Notepad does); when it does not, a missing file is
  // made empty first.
  explicit ProgramStarter(bool editor_creates_missing_files)
      : editor_creates_missing_files_(editor_creates_missing_files) {}
  virtual ~ProgramStarter() = default;
  // Opens `file` in the text editor, its window normal and focused, and
  // returns while the editor runs on.
  virtual Status OpenInTextEditor(const std::filesystem::path& file) = 0;
  bool EditorCreatesMissingFiles() const { return editor_creates_missing_files_; }

 private:
  bool editor_creates_missing_files_;
};

}  // namespace quillet
