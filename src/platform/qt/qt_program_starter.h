// Starting the desktop's text editor through xdg-open, without waiting for it.
#pragma once

#include "labellist/program_starter.h"

namespace quillet {

class QtProgramStarter : public ProgramStarter {
 public:
  // Desktop editors open only what exists.
  QtProgramStarter() : ProgramStarter(/*editor_creates_missing_files=*/false) {}
  // The desktop's default application for the file, through xdg-open (or
  // the desktop's own service where xdg-open is missing). A failure when no
  // program is found or xdg-open says the program failed within three
  // seconds; an xdg-open still running then counts as opened.
  Status OpenInTextEditor(const std::filesystem::path& file) override;
};

}  // namespace quillet
