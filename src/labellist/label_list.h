// The label list "LabelList.txt": the sheets made so far, appended one quoted
// line per non-blank cell, and opened in the platform's text editor.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/result.h"
#include "sheet/label_sheet.h"

namespace quillet {

inline constexpr char kLabelListFileName[] = "LabelList.txt";

// Starts other programs without waiting for them.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Starts `program` (looked up in the usual places) with `arguments`, its
  // window normal and focused.
  virtual Status StartDetached(const std::string& program,
                               const std::vector<std::string>& arguments) = 0;
  // Opens the file with the desktop's default application for its type.
  virtual Status OpenWithDefaultApplication(const std::filesystem::path& file) = 0;
};

// The bytes of one batch: for each non-blank cell in reading order,
// '"' Text1 ' ' Text2 '"' CR LF, in the 8-bit code page. Fails only when
// the system cannot convert the text (see ToAnsi).
Result<std::string> LabelListBatch(const LabelSheet& sheet);

// Appends one batch to the file in one write, creating the file when missing;
// a batch that cannot be converted is reported and nothing is written.
Status AddToLabelList(const LabelSheet& sheet,
                      const std::filesystem::path& file = kLabelListFileName);

// Opens the list in the text editor: "notepad.exe LabelList.txt" on Windows,
// the default application for the file elsewhere.
Status ViewLabelList(ProgramStarter& starter,
                     const std::filesystem::path& file = kLabelListFileName);

}  // namespace quillet
