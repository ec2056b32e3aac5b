#include "ui/form1_commands.h"

#include "about/about_text.h"
#include "calibration/calibrated_print.h"
#include "calibration/calibration_entry.h"
#include "calibration/calibration_file.h"
#include "calibration/test_page.h"
#include "labellist/label_list.h"
#include "sheet/sheet_editing.h"

namespace quillet {

Status Form1Commands::Load() {
  Result<StartCalibration> start = LoadCalibrationAtStart();
  if (!start) {
    // Not the caption the item was created with: it would look like offsets cut short.
    window_.SetOffsetsCaption(kUnreadableCaption);
    return start.status();
  }
  window_.SetOffsetsCaption(start->caption);
  return Status::Ok();
}

void Form1Commands::Run(Command command) {
  switch (command) {
    case Command::OpenMenu:
      return;
    case Command::AddToList:
      return ShowIfFailed(AddToLabelList(sheet_));
    case Command::ViewList:
      return ShowIfFailed(ViewLabelList(services_.program_starter));
    case Command::PrintTest:
      return ShowIfFailed(PrintTest(sheet_, services_.printer_dialog).status());
    case Command::EnterAdjustments:
      return EnterNewAdjustments();
    case Command::Print:
      return ShowIfFailed(PrintCalibrated(sheet_, services_.printer_dialog).status());
    case Command::Exit:
      return window_.EndProgram();
    case Command::Clear:
      return ClearIt(sheet_);
    case Command::About:
      return services_.messages.ShowInformation(
          kAboutTitle, AboutText(QuilletMaker(), services_.program_file.Query()));
  }
}

void Form1Commands::CellDoubleClicked(int group, int index, Line line) {
  if (line == Line::Text1) CopyPreviousCell(sheet_, group, index);
}

void Form1Commands::ShowIfFailed(const Status& status) {
  if (!status.ok()) services_.messages.ShowError(status.message());
}

void Form1Commands::EnterNewAdjustments() {
  auto caption = EnterAdjustments(services_.input_box);
  if (!caption) {
    ShowIfFailed(caption.status());
  } else if (caption->has_value()) {
    window_.SetOffsetsCaption(**caption);
  }  // else both boxes were cancelled: the file and so the caption stand as they are
}

}  // namespace quillet
