// What text_file_posix.cpp and text_file_win32.cpp share: the words of their
// messages and the names of their temporary files. Not for other callers.
#pragma once

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "common/result.h"

namespace quillet::text_file_internal {

inline constexpr char kNotPlainFile[] = "it is not a plain file";
// How many names a temporary file may try before giving up.
inline constexpr int kTemporaryAttempts = 100;

// How long an append waits for another program to let go of the file's lock
// (a copy of this program holds it only for one write), and how often it
// tries again meanwhile. Waiting without end would freeze the window.
inline constexpr std::chrono::milliseconds kLockWait{2000};
inline constexpr std::chrono::milliseconds kLockRetry{50};

// Sleeps before the next try at a lock that was first tried at `start`, or
// gives false when the wait is over.
bool WaitToRetryLock(std::chrono::steady_clock::time_point start);

// The reason for a file over kMaxReadBytes.
std::string TooLong();

// "Could not <action> the file "<name>": <reason>."
Status Failure(const char* action, const std::filesystem::path& file, const std::string& reason);

// "Quillex.dat.tmp123456" beside `target`.
std::filesystem::path TemporaryName(const std::filesystem::path& target,
                                    std::random_device& random);

}  // namespace quillet::text_file_internal
