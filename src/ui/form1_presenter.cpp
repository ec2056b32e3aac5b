#include "ui/form1_presenter.h"

#include <utility>

#include "about/about_text.h"
#include "calibration/calibrated_print.h"
#include "calibration/calibration_entry.h"
#include "calibration/calibration_file.h"
#include "calibration/test_page.h"
#include "labellist/label_list.h"
#include "sheet/sheet_editing.h"
#include "ui/form1_controls.h"
#include "ui/menu_tree.h"
#include "ui/window_text.h"

namespace quillet {
namespace {

// What a one-line box holds after an edit that brought in a line break (a
// paste): what was inserted, up to its first line break, between the text
// before and after it, as a Windows one-line box pastes.
std::u16string OneLineEdit(std::u16string_view before, std::u16string_view edited) {
  std::size_t head = 0;
  while (head < before.size() && head < edited.size() && before[head] == edited[head]) ++head;
  std::size_t tail = 0;
  while (tail < before.size() - head && tail < edited.size() - head &&
         before[before.size() - 1 - tail] == edited[edited.size() - 1 - tail]) {
    ++tail;
  }
  const std::u16string_view inserted = edited.substr(head, edited.size() - head - tail);
  std::u16string line(edited.substr(0, head));
  line.append(FirstLine(inserted)).append(edited.substr(edited.size() - tail));
  return std::u16string(FirstLine(line));
}

}  // namespace

Form1Presenter::Form1Presenter(Services services, Form1View& view)
    : services_(services), view_(view) {
  sheet_.OnLineChanged([this](int group, int index, Line line) { ShowLine(group, index, line); });
}

Form1Presenter::~Form1Presenter() {
  sheet_.OnLineChanged(nullptr);
}

void Form1Presenter::Load() {
  Result<CalibrationOffsets> offsets = LoadCalibrationAtStart();
  if (!offsets) {
    // Not the caption the item was created with: it would look like offsets cut short.
    ShowOffsets(kUnreadableCaption);
    load_failure_ = offsets.status();
    return;
  }
  ShowOffsets(StartCaption(*offsets));
}

void Form1Presenter::WindowShown() {
  ShowIfFailed(std::exchange(load_failure_, Status::Ok()));
}

void Form1Presenter::MenuChosen(std::size_t entry) {
  if (entry >= kMenuEntryCount) return;
  switch (kMenuTree[entry].command) {
    case Command::kOpenMenu:
      return;
    case Command::kAddToList:
      return AddToList();
    case Command::kViewList:
      return ShowIfFailed(ViewLabelList(services_.program_starter));
    case Command::kPrintTest:
      return ShowIfFailed(PrintTest(sheet_, services_.printer_dialog).status());
    case Command::kEnterAdjustments:
      return EnterNewAdjustments();
    case Command::kPrint:
      return ShowIfFailed(PrintCalibrated(sheet_, services_.printer_dialog).status());
    case Command::kExit:
      return view_.EndProgram(kExitStatus);
    case Command::kClear:
      return ClearIt(sheet_);
    case Command::kAbout:
      return services_.messages.ShowInformation(
          kAboutTitle, AboutText(QuilletMaker(), services_.program_file.Query()));
  }
}

void Form1Presenter::BoxEdited(std::size_t control, std::u16string text) {
  const std::optional<CellLine> shown = CellLineOf(control);
  if (!shown) return;
  const std::u16string& before = sheet_.GetText(shown->cell, shown->line);
  // A line of the sheet is one line of the list file; a break would split it.
  if (FirstLine(text).size() < text.size()) {
    text = OneLineEdit(before, text);
    view_.SetBoxText(control, text);
  }
  // Setting the box from the sheet reports an edit too; it changes nothing.
  if (sheet_.GetText(shown->cell, shown->line) != text)
    sheet_.SetText(shown->cell, shown->line, std::move(text));
}

void Form1Presenter::BoxDoubleClicked(std::size_t control, MouseButton button) {
  const std::optional<CellLine> clicked = CellLineOf(control);
  if (button == MouseButton::kPrimary && clicked && clicked->line == Line::Text1)
    CopyPreviousCell(sheet_, clicked->cell.group, clicked->cell.index);
}

void Form1Presenter::ShowLine(int group, int index, Line line) {
  const std::size_t control = CellBoxControl(group, index, line);
  const std::u16string& text = sheet_.GetText(group, index, line);
  // The box the user is typing in already holds the text; leave its caret be.
  if (view_.BoxText(control) != text) view_.SetBoxText(control, text);
}

// The caption quotes the calibration file, which may hold anything.
void Form1Presenter::ShowOffsets(std::u16string_view caption) {
  view_.SetMenuCaption(kOffsetsEntry, CaptionText(caption));
}

void Form1Presenter::ShowIfFailed(const Status& status) {
  if (!status.ok()) services_.messages.ShowError(status.message());
}

void Form1Presenter::AddToList() {
  // Characters the file cannot hold would become "?" there without a word.
  if (const auto unwritable = FindUnwritableLabels(sheet_);
      unwritable && !services_.messages.AskYesNo(UnwritableQuestion(sheet_, *unwritable))) {
    return;
  }
  ShowIfFailed(AddToLabelList(sheet_));
}

void Form1Presenter::EnterNewAdjustments() {
  auto entered = EnterAdjustments(services_.input_box);
  if (!entered) {
    ShowIfFailed(entered.status());
  } else if (entered->has_value()) {
    ShowOffsets(EnteredCaption(**entered));
  }  // else both boxes were cancelled: the file and so the caption stand as they are
}

}  // namespace quillet
