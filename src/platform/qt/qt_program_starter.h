// Starting the desktop's text editor through Qt, without waiting for it.
#pragma once

#include "labellist/label_list.h"

namespace quillet {

class QtProgramStarter : public ProgramStarter {
 public:
  // The desktop's default application for the file, found through the
  // desktop's handler first, then xdg-open, which the desktop may lack.
  Status OpenInTextEditor(const std::filesystem::path& file) override;
  // Desktop editors open only what exists.
  bool EditorCreatesMissingFiles() const override { return false; }
};

}  // namespace quillet
