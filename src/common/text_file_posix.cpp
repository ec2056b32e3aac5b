// The file access on POSIX systems (Linux): descriptors, rename and link
// for replacement that keeps the file what it is, flock for appends.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "common/system_error.h"
#include "common/text_file.h"
#include "common/text_file_internal.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

using namespace text_file_internal;
using text_file_internal::Failure;  // beside the overload for this system's errors

Status Failure(const char* action, const fs::path& file, int error) {
  return Failure(action, file, ErrnoReason(error));
}

// Link chains longer than this are taken for loops, as the system does.
constexpr int kMaxLinkHops = 40;

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  bool valid() const { return fd_ >= 0; }
  int get() const { return fd_; }
  // Closing can report a write that failed late (network file systems).
  int Close() {
    const int result = ::close(std::exchange(fd_, -1));
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// Writes every byte, going on after a short write or an interruption.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// The same from the start of the file, for a file opened without O_APPEND.
int WriteAllAt(int fd, std::string_view bytes) {
  off_t offset = 0;
  while (!bytes.empty()) {
    const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(written));
    offset += written;
  }
  return 0;
}

// Follows symbolic links from `file` to the name of the real file, which may
// not exist yet (a dangling link names the file to create). Gives an errno.
int ResolveLinks(const fs::path& file, fs::path* target) {
  fs::path current = file;
  for (int hops = 0;; ++hops) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0) {
      if (errno != ENOENT) return errno;
      break;
    }
    if (!S_ISLNK(info.st_mode)) break;
    if (hops == kMaxLinkHops) return ELOOP;
    std::error_code error;
    const fs::path next = fs::read_symlink(current, error);
    if (error) return error.value();
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  *target = current;
  return 0;
}

fs::path FolderOf(const fs::path& target) {
  return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// Makes a rename or link in the folder survive a crash. The change itself is
// done by then, so a folder that cannot be synced (some file systems refuse)
// is no reason to report a failure.
void SyncFolder(const fs::path& folder) {
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

// A new temporary file beside `target`, open for writing; its name goes to
// `temporary`. Gives -1 with errno set when none can be made.
int CreateTemporary(const fs::path& target, mode_t mode, fs::path* temporary) {
  std::random_device random;
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    *temporary = TemporaryName(target, random);
    const int fd =
        ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Writes, flushes and closes the temporary file; `old` (when there is one)
// gives it the owner, group and mode to keep. Gives an errno.
int FillTemporary(Descriptor& fd, std::string_view bytes, const struct stat* old) {
  int error = WriteAll(fd.get(), bytes);
  if (error == 0 && old != nullptr) {
    // Only root may give the file to another user (the file is ours
    // otherwise, see MustWriteInPlace), and an owner only to a group they
    // belong to.
    const uid_t owner = ::geteuid() == 0 ? old->st_uid : static_cast<uid_t>(-1);
    if (::fchown(fd.get(), owner, old->st_gid) != 0) {
      // Not permitted: the group stays ours, which is all that can be done.
    }
    // After fchown, which may clear the set-id bits.
    if (::fchmod(fd.get(), old->st_mode & 07777) != 0) error = errno;
  }
  if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
  const int closed = fd.Close();
  return error != 0 ? error : closed;
}

// Renaming a new file over the old one gives it a new inode. That is wrong in
// two cases, where the old file is rewritten in place instead (and so it is
// when the folder takes no temporary file): when it belongs
// to another user (only root could hand the new file to them, so the owner
// would change to us), and when it has further hard links (they would keep
// the old content). Writing in place keeps inode, owner, mode, ACLs and every
// name. It is not atomic, but it cannot leave an empty file: the new lines
// are written over the start of the old ones before the file is cut to their
// length.
bool MustWriteInPlace(const struct stat& old) {
  const uid_t us = ::geteuid();
  return (old.st_uid != us && us != 0) || old.st_nlink > 1;
}

Status WriteInPlace(const fs::path& file, const fs::path& target, std::string_view bytes) {
  Descriptor fd(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd.valid()) return Failure("write", file, errno);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Failure("write", file, errno);
  if (!S_ISREG(info.st_mode)) return Failure("write", file, kNotPlainFile);
  const auto new_size = static_cast<off_t>(bytes.size());
  if (new_size > info.st_size) {
    // Claim the room first, so a full disk stops the write before any old
    // byte has changed. File systems without the call are simply written.
    const int claimed = ::posix_fallocate(fd.get(), 0, new_size);
    if (claimed == ENOSPC || claimed == EDQUOT || claimed == EFBIG) {
      if (::ftruncate(fd.get(), info.st_size) != 0) {
        // The size is what it was unless the claim grew it; nothing more to do.
      }
      return Failure("write", file, claimed);
    }
  }
  int error = WriteAllAt(fd.get(), bytes);
  if (error == 0 && ::ftruncate(fd.get(), new_size) != 0) error = errno;
  if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
  const int closed = fd.Close();
  if (error == 0) error = closed;
  return error == 0 ? Status::Ok() : Failure("write", file, error);
}

// Writes a temporary file beside `target` and renames it over the name, so
// the name shows the old bytes or the new, whole. `old` is the file replaced,
// or null for a new one.
Status WriteAndRename(const fs::path& file, const fs::path& target, std::string_view bytes,
                      const struct stat* old) {
  fs::path temporary;
  // A new file gets the usual mode (through the umask); a replacement
  // starts private and gets the old file's mode before it takes the name.
  Descriptor fd(CreateTemporary(target, old != nullptr ? 0600 : 0666, &temporary));
  if (!fd.valid()) {
    const int error = errno;
    // A folder that takes no new file may still hold one the user may
    // write (ReplaceFileBytes checked): that one is written in place.
    if (old != nullptr && (error == EACCES || error == EPERM)) {
      return WriteInPlace(file, target, bytes);
    }
    return Failure("write", file, error);
  }
  if (const int error = FillTemporary(fd, bytes, old); error != 0) {
    ::unlink(temporary.c_str());
    return Failure("write", file, error);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return Failure("replace", file, error);
  }
  SyncFolder(FolderOf(target));
  return Status::Ok();
}

enum class NameKind { kPlainFile, kMissing, kOther, kUnknown };

// What the name stands for, looked at before it is opened: opening a device
// or a pipe can block or have effects of its own. kUnknown sets `error`.
NameKind KindOf(const fs::path& file, int* error) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) {
    *error = errno;
    return errno == ENOENT ? NameKind::kMissing : NameKind::kUnknown;
  }
  return S_ISREG(info.st_mode) ? NameKind::kPlainFile : NameKind::kOther;
}

}  // namespace

Result<std::string> ReadFileBytes(const fs::path& file) {
  int error = 0;
  switch (KindOf(file, &error)) {
    case NameKind::kPlainFile:
      break;
    case NameKind::kOther:
      return Failure("read", file, kNotPlainFile);
    case NameKind::kMissing:
    case NameKind::kUnknown:
      return Failure("open", file, error);
  }
  // Non-blocking, in case a pipe took the name after the check.
  Descriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd.valid()) return Failure("open", file, errno);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Failure("read", file, errno);
  if (!S_ISREG(info.st_mode)) return Failure("read", file, kNotPlainFile);
  if (static_cast<std::size_t>(info.st_size) > kMaxReadBytes) {
    return Failure("read", file, TooLong());
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
    if (count < 0) {
      if (errno == EINTR) continue;
      return Failure("read", file, errno);
    }
    if (count == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(count));
    // The file may grow while it is read.
    if (bytes.size() > kMaxReadBytes) return Failure("read", file, TooLong());
  }
  return bytes;
}

Status ReplaceFileBytes(const fs::path& file, std::string_view bytes) {
  fs::path target;
  if (const int error = ResolveLinks(file, &target); error != 0) {
    return Failure("write", file, error);
  }
  struct stat old {};
  if (::lstat(target.c_str(), &old) != 0) {
    if (errno != ENOENT) return Failure("write", file, errno);
    return WriteAndRename(file, target, bytes, nullptr);
  }
  if (!S_ISREG(old.st_mode)) return Failure("write", file, kNotPlainFile);
  // The folder may let us put another file in its place, but the user asked
  // (through the file's mode) not to have this one changed.
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    return Failure("write", file, errno);
  }
  if (MustWriteInPlace(old)) return WriteInPlace(file, target, bytes);
  return WriteAndRename(file, target, bytes, &old);
}

bool FolderTakesNewFiles(const fs::path& file) {
  fs::path probe;
  const Descriptor fd(CreateTemporary(file, 0600, &probe));
  if (!fd.valid()) return false;
  ::unlink(probe.c_str());
  return true;
}

Status CreateFileIfMissing(const fs::path& file, std::string_view bytes) {
  fs::path target;
  if (const int error = ResolveLinks(file, &target); error != 0) {
    return Failure("create", file, error);
  }
  struct stat info {};
  if (::lstat(target.c_str(), &info) == 0) return Status::Ok();
  if (errno != ENOENT) return Failure("create", file, errno);

  // The whole content goes into a temporary file first, which link() then
  // gives the name only if the name is still free: another copy of the
  // program starting at the same moment never sees an empty file, and a
  // file it made first is kept.
  fs::path temporary;
  Descriptor fd(CreateTemporary(target, 0666, &temporary));
  if (!fd.valid()) return Failure("create", file, errno);
  if (const int error = FillTemporary(fd, bytes, nullptr); error != 0) {
    ::unlink(temporary.c_str());
    return Failure("create", file, error);
  }
  const int linked = ::link(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
  ::unlink(temporary.c_str());
  if (linked == EEXIST) return Status::Ok();
  if (linked == EPERM || linked == ENOTSUP || linked == EOPNOTSUPP) {
    // A file system without hard links (FAT): exclusive creation still
    // keeps a file someone else made; ours is removed if it fails part way.
    Descriptor direct(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!direct.valid()) {
      return errno == EEXIST ? Status::Ok() : Failure("create", file, errno);
    }
    if (const int error = FillTemporary(direct, bytes, nullptr); error != 0) {
      ::unlink(target.c_str());
      return Failure("create", file, error);
    }
  } else if (linked != 0) {
    return Failure("create", file, linked);
  }
  SyncFolder(FolderOf(target));
  return Status::Ok();
}

Status AppendToFile(const fs::path& file, std::string_view bytes) {
  int error = 0;
  switch (KindOf(file, &error)) {
    case NameKind::kPlainFile:
    case NameKind::kMissing:
      break;
    case NameKind::kOther:
      return Failure("add to", file, kNotPlainFile);
    case NameKind::kUnknown:
      return Failure("add to", file, error);
  }
  // Non-blocking: a pipe that took the name after the check fails at once
  // instead of waiting for a reader. Through a symbolic link the append goes
  // to its target, as the user meant.
  Descriptor fd(::open(file.c_str(),
                       O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
  if (!fd.valid()) return Failure("add to", file, errno);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Failure("add to", file, errno);
  if (!S_ISREG(info.st_mode)) return Failure("add to", file, kNotPlainFile);
  // Another copy of the program appending to the same list waits here until
  // this batch is in, so batches never interleave. Another program may hold
  // the lock for good: after a couple of seconds that is a refusal.
  const auto start = std::chrono::steady_clock::now();
  while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    const int held = errno;
    if (held == EINTR) continue;
    if (held != EWOULDBLOCK || !WaitToRetryLock(start)) return Failure("add to", file, held);
  }
  // Taken under the lock, so cutting back removes only our own bytes.
  if (::fstat(fd.get(), &info) != 0) return Failure("add to", file, errno);
  error = WriteAll(fd.get(), bytes);
  if (error != 0) {
    // Take back a partial batch so the list holds only whole records.
    if (::ftruncate(fd.get(), info.st_size) != 0) {
      // Nothing more can be done; the write's own failure is reported.
    }
  }
  // Closing releases the lock.
  const int closed = fd.Close();
  if (error == 0) error = closed;
  return error == 0 ? Status::Ok() : Failure("add to", file, error);
}

}  // namespace quillet
