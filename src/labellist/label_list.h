// The label list "LabelList.txt": the sheets made so far, appended one quoted
// line per non-blank cell, and opened in the platform's text editor.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "common/result.h"
#include "labellist/program_starter.h"
#include "sheet/label_sheet.h"

namespace quillet {

inline constexpr char kLabelListFileName[] = "LabelList.txt";

// The bytes of one batch: for each non-blank cell in reading order,
// '"' Text1 ' ' Text2 '"' CR LF, in the 8-bit code page. Fails only when
// the system cannot convert the text (see ToAnsi).
Result<std::string> LabelListBatch(const LabelSheet& sheet);

// Labels holding characters that the file's code page cannot hold, each of
// which the batch would carry as "?".
struct UnwritableLabels {
  CellAddress first;           // the first such label in reading order
  std::size_t characters = 0;  // in all labels (a surrogate pair is one)
};

// None when every character of the batch can be written as it is.
std::optional<UnwritableLabels> FindUnwritableLabels(const LabelSheet& sheet);

// The question put to the user before such a batch is added: which label,
// how many characters would become "?", and whether to add the labels anyway.
std::string UnwritableQuestion(const LabelSheet& sheet, const UnwritableLabels& unwritable,
                               const std::filesystem::path& file = kLabelListFileName);

// Appends one batch to the file in one write, creating the file when missing;
// a batch that cannot be converted is reported and nothing is written.
Status AddToLabelList(const LabelSheet& sheet,
                      const std::filesystem::path& file = kLabelListFileName);

// Opens the list in the text editor: "notepad.exe LabelList.txt" on Windows,
// the default application for the file elsewhere. A missing list is created
// empty first unless the editor offers to create it.
Status ViewLabelList(ProgramStarter& starter,
                     const std::filesystem::path& file = kLabelListFileName);

}  // namespace quillet
