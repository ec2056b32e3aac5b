// The facts of the running program file for the About box: its path, last
// change and size, read through Qt.
#pragma once

#include <QString>

#include "about/program_file_query.h"

namespace quillet {

// The modification moment (local time) and size of the file at `path`; each
// is missing when the file does not exist or the value cannot be read.
ProgramFileFacts FileFactsFor(const QString& path);

class QtProgramFileQuery : public ProgramFileQuery {
 public:
  ProgramFileFacts Query() override;
};

}  // namespace quillet
