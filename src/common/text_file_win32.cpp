// The file access on Windows: handles with sharing modes, ReplaceFileW for
// replacement that keeps the file what it is, LockFileEx for appends.
#include <windows.h>

#include "common/system_error.h"
#include "common/text_file.h"
#include "common/text_file_internal.h"
#include "common/win32_handles.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

using namespace text_file_internal;
using text_file_internal::Failure;  // beside the overload for this system's errors

// WriteFile takes a DWORD count; larger buffers go in pieces of this size.
constexpr DWORD kLargestWrite = 1u << 30;

Status WinFailure(const char* action, const fs::path& file, DWORD error) {
  return Failure(action, file, WindowsErrorReason(error));
}

// Attributes a replacement keeps; a rename (and Wine's ReplaceFileW) leaves
// the new file with its own.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The name in the form that passes the path limit (MAX_PATH), "\\?\C:\..."
// or "\\?\UNC\server\...": a working folder near the limit leaves no room
// for the file's name or a temporary one. That form is taken as it stands,
// so the name is made full and normal first.
std::wstring LongForm(const fs::path& file) {
  const std::wstring name = file.wstring();
  if (name.rfind(LR"(\\?\)", 0) == 0) return name;
  std::wstring full(GetFullPathNameW(name.c_str(), 0, nullptr, nullptr), L'\0');
  const DWORD length =
      full.empty()
          ? 0
          : GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return name;
  full.resize(length);
  if (full.rfind(LR"(\\)", 0) == 0) return LR"(\\?\UNC\)" + full.substr(2);
  return LR"(\\?\)" + full;
}

// A disk file and not a folder: pipes, consoles and devices are refused.
bool IsPlainFile(HANDLE handle) {
  if (GetFileType(handle) != FILE_TYPE_DISK) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) return false;
  return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

DWORD WriteAll(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk =
        bytes.size() < kLargestWrite ? static_cast<DWORD>(bytes.size()) : kLargestWrite;
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return ERROR_SUCCESS;
}

// What stands at the name: nothing, or the real file behind any links.
struct Existing {
  bool exists = false;
  fs::path target;
  DWORD attributes = 0;
};

// Opens the name without asking for any access, which no other program's
// sharing mode refuses, and asks the system for the file behind links.
Result<Existing> FindExisting(const char* action, const fs::path& file) {
  Existing found;
  found.target = LongForm(file);
  UniqueFileHandle handle(CreateFileW(found.target.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return found;
    return WinFailure(action, file, error);
  }
  if (!IsPlainFile(handle.get())) return Failure(action, file, kNotPlainFile);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle.get(), &info)) {
    return WinFailure(action, file, GetLastError());
  }
  found.exists = true;
  found.attributes = info.dwFileAttributes;
  std::wstring target(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(handle.get(), target.data(),
                                           static_cast<DWORD>(target.size()), FILE_NAME_NORMALIZED);
  if (length >= target.size()) {
    target.resize(length);
    length = GetFinalPathNameByHandleW(handle.get(), target.data(),
                                       static_cast<DWORD>(target.size()), FILE_NAME_NORMALIZED);
  }
  if (length > 0 && length < target.size()) found.target = target.substr(0, length);
  return found;
}

// Writes `bytes` to a new temporary file beside `target` and flushes it to
// the disk. Gives its name, or the failure (nothing left behind); when the
// folder refused the new file, `refused` is set.
Result<fs::path> WriteTemporary(const char* action, const fs::path& file, const fs::path& target,
                                std::string_view bytes, bool* refused = nullptr) {
  std::random_device random;
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    const fs::path temporary = TemporaryName(target, random);
    UniqueFileHandle handle(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      if (refused != nullptr) *refused = error == ERROR_ACCESS_DENIED;
      return WinFailure(action, file, error);
    }
    DWORD error = WriteAll(handle.get(), bytes);
    if (error == ERROR_SUCCESS && !FlushFileBuffers(handle.get())) error = GetLastError();
    handle.reset();
    if (error != ERROR_SUCCESS) {
      DeleteFileW(temporary.c_str());
      return WinFailure(action, file, error);
    }
    return temporary;
  }
  return WinFailure(action, file, ERROR_FILE_EXISTS);
}

// Rewrites the existing `target` with `bytes` and flushes it: for a file the
// user may write in a folder that takes no new file. Name, attributes and
// ACLs stay the file's own.
Status WriteInPlace(const fs::path& file, const fs::path& target, std::string_view bytes) {
  UniqueFileHandle handle(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return WinFailure("write", file, GetLastError());
  DWORD error = WriteAll(handle.get(), bytes);
  if (error == ERROR_SUCCESS && !SetEndOfFile(handle.get())) error = GetLastError();
  if (error == ERROR_SUCCESS && !FlushFileBuffers(handle.get())) error = GetLastError();
  return error == ERROR_SUCCESS ? Status::Ok() : WinFailure("write", file, error);
}

}  // namespace

Result<std::string> ReadFileBytes(const fs::path& file) {
  UniqueFileHandle handle(CreateFileW(LongForm(file).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) return WinFailure("open", file, GetLastError());
  if (!IsPlainFile(handle.get())) return Failure("read", file, kNotPlainFile);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    DWORD count = 0;
    if (!ReadFile(handle.get(), buffer, sizeof buffer, &count, nullptr)) {
      return WinFailure("read", file, GetLastError());
    }
    if (count == 0) break;
    bytes.append(buffer, count);
    if (bytes.size() > kMaxReadBytes) return Failure("read", file, TooLong());
  }
  return bytes;
}

Status ReplaceFileBytes(const fs::path& file, std::string_view bytes) {
  Result<Existing> existing = FindExisting("write", file);
  if (!existing) return existing.status();
  if (existing->exists && (existing->attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return WinFailure("write", file, ERROR_ACCESS_DENIED);
  }
  const fs::path& target = existing->target;
  if (existing->exists) {
    // Ask for what the replacement needs before anything is written: a
    // program that holds the file without sharing it makes it fail.
    UniqueFileHandle probe(CreateFileW(target.c_str(), GENERIC_READ | DELETE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) return WinFailure("replace", file, GetLastError());
  }
  bool refused = false;
  Result<fs::path> temporary = WriteTemporary("write", file, target, bytes, &refused);
  if (!temporary) {
    if (existing->exists && refused) return WriteInPlace(file, target, bytes);
    return temporary.status();
  }
  // ReplaceFileW keeps the replaced file's ACLs and short name, and should
  // keep its attributes. Wine's fails, or writes past its buffers, for names
  // near or past MAX_PATH: those are renamed over the file instead.
  const bool near_limit = temporary->native().size() >= MAX_PATH + 4;  // after "\\?\"
  const bool replaced = existing->exists && !near_limit
                            ? ReplaceFileW(target.c_str(), temporary->c_str(), nullptr,
                                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
                            : MoveFileExW(temporary->c_str(), target.c_str(),
                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!replaced) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary->c_str());
    return WinFailure("replace", file, error);
  }
  // Wine's drops hidden and system; they are put back. The content is
  // written by then, so a failure here is no reason to report one.
  const DWORD kept = existing->attributes & kKeptAttributes;
  const DWORD now = GetFileAttributesW(target.c_str());
  if (kept != 0 && now != INVALID_FILE_ATTRIBUTES && (now & kept) != kept) {
    SetFileAttributesW(target.c_str(), (now & ~FILE_ATTRIBUTE_NORMAL) | kept);
  }
  return Status::Ok();
}

bool FolderTakesNewFiles(const fs::path& file) {
  const Result<fs::path> probe = WriteTemporary("create", file, file, {});
  if (!probe) return false;
  DeleteFileW(probe->c_str());
  return true;
}

Status CreateFileIfMissing(const fs::path& file, std::string_view bytes) {
  Result<Existing> existing = FindExisting("create", file);
  if (!existing) return existing.status();
  if (existing->exists) return Status::Ok();
  Result<fs::path> temporary = WriteTemporary("create", file, existing->target, bytes);
  if (!temporary) return temporary.status();
  // Without MOVEFILE_REPLACE_EXISTING the move refuses a file that appeared meanwhile.
  if (!MoveFileExW(temporary->c_str(), existing->target.c_str(), MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary->c_str());
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return Status::Ok();
    return WinFailure("create", file, error);
  }
  return Status::Ok();
}

Status AppendToFile(const fs::path& file, std::string_view bytes) {
  const std::wstring name = LongForm(file);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Failure("add to", file, kNotPlainFile);
    // Said here, as CreateFileW says it only to users without the power to
    // override it.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      return WinFailure("add to", file, ERROR_ACCESS_DENIED);
    }
  }
  // GENERIC_WRITE brings FILE_APPEND_DATA and what LockFileEx and
  // SetEndOfFile need.
  UniqueFileHandle handle(CreateFileW(name.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return WinFailure("add to", file, GetLastError());
  if (!IsPlainFile(handle.get())) return Failure("add to", file, kNotPlainFile);
  // Another copy of the program holds the lock only while it writes a batch;
  // another program may hold it for good: after a couple of seconds that is
  // a refusal.
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    OVERLAPPED whole_file{};
    if (LockFileEx(handle.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                   MAXDWORD, &whole_file)) {
      break;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_LOCK_VIOLATION || !WaitToRetryLock(start)) {
      return WinFailure("add to", file, error);
    }
  }
  LARGE_INTEGER old_size{};
  const LARGE_INTEGER zero{};
  DWORD error = ERROR_SUCCESS;
  if (!GetFileSizeEx(handle.get(), &old_size) ||
      !SetFilePointerEx(handle.get(), zero, nullptr, FILE_END)) {
    error = GetLastError();
  } else {
    error = WriteAll(handle.get(), bytes);
    if (error != ERROR_SUCCESS) {
      // Take back a partial batch so the list holds only whole records.
      SetFilePointerEx(handle.get(), old_size, nullptr, FILE_BEGIN);
      SetEndOfFile(handle.get());
    }
  }
  OVERLAPPED unlock{};
  UnlockFileEx(handle.get(), 0, MAXDWORD, MAXDWORD, &unlock);
  return error == ERROR_SUCCESS ? Status::Ok() : WinFailure("add to", file, error);
}

}  // namespace quillet
