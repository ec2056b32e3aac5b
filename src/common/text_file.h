// Whole-file reads, atomic replacement and all-or-nothing appends.
//
// Failures come back as messages that name the file and the reason in plain words.
#pragma once

#include <filesystem>
#include <string>

#include "common/result.h"

namespace quillet {

// The file's bytes. A missing file is a failure like any other; callers that
// treat it differently ask FileExists first.
Result<std::string> ReadFileBytes(const std::filesystem::path& file);

bool FileExists(const std::filesystem::path& file);

// Replaces the file's content with `bytes` by writing a temporary file beside
// it and renaming it over the old one, so a failure leaves the old file whole.
Status ReplaceFileBytes(const std::filesystem::path& file, std::string_view bytes);

// Appends `bytes` to the end of the file, creating it when missing. When the
// write fails part way the file is cut back to its old length.
Status AppendToFile(const std::filesystem::path& file, std::string_view bytes);

// "Quillex.dat" or "/tmp/x/Quillex.dat": the name as the user knows it.
std::string DisplayName(const std::filesystem::path& file);

}  // namespace quillet
