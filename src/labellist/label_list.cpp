#include "labellist/label_list.h"

#include <string_view>

#include "common/ansi_text.h"
#include "common/text_file.h"

namespace quillet {

Result<std::string> LabelListBatch(const LabelSheet& sheet) {
  // The whole batch is built as UTF-16 first and converted once, so the
  // file always gets whole records.
  std::u16string batch;
  for (const CellAddress& cell : ReadingOrder()) {
    if (sheet.IsBlank(cell)) continue;
    batch += u'"';
    batch += sheet.GetText(cell, Line::Text1);
    batch += u' ';
    batch += sheet.GetText(cell, Line::Text2);
    batch += u"\"\r\n";
  }
  return ToAnsi(batch);
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
