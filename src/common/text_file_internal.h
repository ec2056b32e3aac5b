// What text_file_posix.cpp and text_file_win32.cpp share: the words of their
// messages and the names of their temporary files. Not for other callers.
#pragma once

#include <filesystem>
#include <random>
#include <string>

#include "common/result.h"

namespace quillet::text_file_internal {

inline constexpr char kNotPlainFile[] = "it is not a plain file";
// How many names a temporary file may try before giving up.
inline constexpr int kTemporaryAttempts = 100;

// The reason for a file over kMaxReadBytes.
std::string TooLong();

// "Could not <action> the file "<name>": <reason>."
Status Failure(const char* action, const std::filesystem::path& file, const std::string& reason);

// "Quillex.dat.tmp123456" beside `target`.
std::filesystem::path TemporaryName(const std::filesystem::path& target,
                                    std::random_device& random);

}  // namespace quillet::text_file_internal
