#include "labellist/label_list.h"

#include <algorithm>
#include <string_view>

#include "common/ansi_text.h"
#include "common/quoted_text.h"
#include "common/text_file.h"

namespace quillet {

namespace {

// '"' Text1 ' ' Text2 '"' CR LF.
void AppendRecord(std::u16string& batch, const LabelSheet& sheet, CellAddress cell) {
  batch += u'"';
  batch += sheet.GetText(cell, Line::Text1);
  batch += u' ';
  batch += sheet.GetText(cell, Line::Text2);
  batch += u"\"\r\n";
}

}  // namespace

Result<std::string> LabelListBatch(const LabelSheet& sheet) {
  // The whole batch is built as UTF-16 first and converted once, so the
  // file always gets whole records.
  std::u16string batch;
  for (const CellAddress& cell : ReadingOrder()) {
    if (!sheet.IsBlank(cell)) AppendRecord(batch, sheet, cell);
  }
  return ToAnsi(batch);
}

std::optional<UnwritableLabels> FindUnwritableLabels(const LabelSheet& sheet) {
  std::optional<UnwritableLabels> found;
  for (const CellAddress& cell : ReadingOrder()) {
    if (sheet.IsBlank(cell)) continue;
    std::u16string record;
    AppendRecord(record, sheet, cell);
    const Result<std::string> bytes = ToAnsi(record);
    if (!bytes) continue;  // the append itself says why
    // ToAnsi writes one "?" for each character it cannot hold, and any "?"
    // typed stays one.
    const auto questions = static_cast<std::size_t>(std::count(bytes->begin(), bytes->end(), '?') -
                                                    std::count(record.begin(), record.end(), u'?'));
    if (questions == 0) continue;
    if (!found) found = UnwritableLabels{cell, 0};
    found->characters += questions;
  }
  return found;
}

std::string UnwritableQuestion(const LabelSheet& sheet, const UnwritableLabels& unwritable,
                               const std::filesystem::path& file) {
  const CellAddress cell = unwritable.first;
  const std::u16string label =
      sheet.GetText(cell, Line::Text1) + u" " + sheet.GetText(cell, Line::Text2);
  const std::string count = std::to_string(unwritable.characters);
  return "The label in row " + std::to_string(cell.group) + ", column " +
         std::to_string(GridColumn(cell.index)) + " (\"" + MessageExcerpt(label) +
         "\") holds characters that the file \"" + DisplayName(file) +
         "\" cannot hold. In all labels, " + count +
         (unwritable.characters == 1 ? " character" : " characters") +
         " would be written as \"?\".\n\nAdd the labels anyway?";
}

Status AddToLabelList(const LabelSheet& sheet, const std::filesystem::path& file) {
  // One write for the whole batch: AppendToFile cuts the file back when it
  // fails, so a failed append never leaves half a record behind. An empty
  // batch still creates a missing file, as opening for appending does.
  const Result<std::string> batch = LabelListBatch(sheet);
  if (!batch) {
    return Status::Failure("Could not add to the file \"" + DisplayName(file) +
                           "\": " + batch.message() + ".");
  }
  return AppendToFile(file, batch.value());
}

Status ViewLabelList(ProgramStarter& starter, const std::filesystem::path& file) {
  // A desktop editor shows nothing for a missing file; an empty list is what
  // the user expects to see before the first append.
  if (!starter.EditorCreatesMissingFiles() && !FileExists(file)) {
    if (Status created = CreateFileIfMissing(file, std::string_view()); !created.ok()) {
      return created;
    }
  }
  return starter.OpenInTextEditor(file);
}

}  // namespace quillet
