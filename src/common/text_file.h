// Whole-file reads, replacement that keeps the file what it is, exclusive
// creation, and appends that stand whole beside other copies of the program.
//
// Failures come back as messages that name the file and the reason in plain words.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/result.h"

namespace quillet {

// The most any reader takes from a file. The program's own files are a few
// lines; a larger one is not one of them, and reading on would only eat memory.
inline constexpr std::size_t kMaxReadBytes = 1024 * 1024;

// The file's bytes. A missing file is a failure like any other; callers that
// treat it differently ask FileExists first. Only a plain file is read (never a
// folder, pipe or device, which could block or never end), and only up to
// kMaxReadBytes: a longer file is reported as too long.
Result<std::string> ReadFileBytes(const std::filesystem::path& file);

bool FileExists(const std::filesystem::path& file);

// Whether a new file can be made in the folder that holds `file` (found by
// making one, which is gone again at once).
bool FolderTakesNewFiles(const std::filesystem::path& file);

// Replaces the file's content with `bytes` so that a failure or a crash leaves
// the old content or the new, never a mix or an empty file. The file stays
// what it is: through a symbolic link its target is replaced and the link
// kept; mode, owner and group are kept; a file the user may not write is
// reported and left alone, and so is one that is not a plain file. A file the
// user may write in a folder that takes no new file is written in place.
Status ReplaceFileBytes(const std::filesystem::path& file, std::string_view bytes);

// Creates the file with `bytes` unless one of that name exists, also one
// that appears while this runs: that one is left as it is and counts as
// success. The name never shows a partly written file.
Status CreateFileIfMissing(const std::filesystem::path& file, std::string_view bytes);

// Appends `bytes` to the end of a plain file, creating it when missing, in one
// piece: other copies of the program appending at the same time go before or
// after it, never inside. When the write fails part way the file is cut back
// to its old length. Another program that holds the file's lock longer than
// a couple of seconds makes it a refusal, "in use by another program", and
// nothing is written.
Status AppendToFile(const std::filesystem::path& file, std::string_view bytes);

// The file's full path, "/home/ann/Documents/Quillet/Quillex.dat" or
// "C:\Users\Ann\Documents\Quillet\Quillex.dat", for messages: a relative
// name is taken against the working directory, so the user can find the file.
std::string DisplayName(const std::filesystem::path& file);

}  // namespace quillet
