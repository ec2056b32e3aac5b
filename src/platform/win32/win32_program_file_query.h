// The facts of the running program file for the About box, read from Windows.
#pragma once

#include <string>

#include "about/program_file_query.h"

namespace quillet {

class Win32ProgramFileQuery : public ProgramFileQuery {
 public:
  // The module's folder and name with ".EXE", and that file's facts.
  ProgramFileFacts Query() override;
};

// The last change (local time at that moment) and size of the file at `path`;
// both missing when its attributes cannot be read.
ProgramFileFacts FileFactsAt(const std::u16string& path);

// The full path of the running program file, however long.
std::u16string RunningProgramPath();

}  // namespace quillet
