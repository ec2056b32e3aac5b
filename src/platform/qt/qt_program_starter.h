// Starting the desktop's text editor through xdg-open, without waiting for it.
#pragma once

#include <QObject>

#include "common/message_boxes.h"
#include "labellist/program_starter.h"

namespace quillet {

class QtProgramStarter : public ProgramStarter {
 public:
  // Desktop editors open only what exists. A failure that xdg-open reports
  // later is shown in `messages`, which outlives this object.
  explicit QtProgramStarter(MessageBoxes& messages)
      : ProgramStarter(/*editor_creates_missing_files=*/false), messages_(messages) {}
  // An xdg-open still running (it waits for the editor it started) is left
  // to run on, unwatched.
  ~QtProgramStarter() override;

  // The desktop's default application for the file, through xdg-open (or the
  // desktop's own service where xdg-open is missing). Returns as soon as
  // xdg-open runs: when it then says that no program was found, or that the
  // program failed, that is shown in a message.
  Status OpenInTextEditor(const std::filesystem::path& file) override;

 private:
  MessageBoxes& messages_;
  QObject openers_;  // the running xdg-opens
};

}  // namespace quillet
