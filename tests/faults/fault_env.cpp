#include "faults/fault_env.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "support/temp_dir.h"

namespace quillet::testing {
namespace {

constexpr char kChildVariable[] = "QUILLET_FAULT_CHILD_FOLDER";
constexpr char kSetpriv[] = "/usr/bin/setpriv";
// Who the unprivileged part runs as.
constexpr char kChildUser[] = "nobody";
constexpr char kChildGroup[] = "nogroup";

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

// A copy of this test binary that "nobody" may run, made once per process.
const std::filesystem::path& RunnableCopy() {
  static TempDir folder;
  static const std::filesystem::path copy = [] {
    const auto self = std::filesystem::read_symlink("/proc/self/exe");
    const auto target = folder / self.filename().string();
    std::filesystem::copy_file(self, target);
    std::filesystem::permissions(folder.path(), std::filesystem::perms(0755));
    std::filesystem::permissions(target, std::filesystem::perms(0755));
    return target;
  }();
  return copy;
}

}  // namespace

void UserSaw(const std::string& message) {
  // Long texts are shortened here only; the tests check the whole message.
  std::string shown = message.size() > 300 ? message.substr(0, 300) + "..." : message;
  for (char& c : shown) {
    if (c == '\0') c = '~';
  }
  std::cout << "[user saw] " << shown << std::endl;
}

bool Unprivileged::InChild() {
  return std::getenv(kChildVariable) != nullptr;
}

std::filesystem::path Unprivileged::ChildFolder() {
  const char* folder = std::getenv(kChildVariable);
  return folder != nullptr ? std::filesystem::path(folder) : std::filesystem::path();
}

std::optional<std::string> Unprivileged::WhyNotPossible() {
  if (geteuid() != 0) return std::nullopt;  // permissions already apply
  if (access(kSetpriv, X_OK) != 0) return std::string("running as root and setpriv is missing");
  return std::nullopt;
}

void Unprivileged::Run(const std::filesystem::path& folder, const std::function<void()>& act) {
  if (InChild()) {
    act();
    return;
  }
  if (geteuid() != 0) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    act();
    std::filesystem::current_path(previous);
    return;
  }
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = std::string(test->test_suite_name()) + "." + test->name();
  // The folder's parents must let "nobody" through to it.
  for (auto up = folder.parent_path(); up != up.root_path(); up = up.parent_path()) {
    ASSERT_TRUE(access(up.c_str(), X_OK) == 0) << up;
  }
  const std::string command =
      "cd " + Quoted(folder.string()) + " && " + kChildVariable + "=" + Quoted(folder.string()) +
      " " + kSetpriv + " --reuid=" + kChildUser + " --regid=" + kChildGroup + " --clear-groups " +
      Quoted(RunnableCopy().string()) + " --gtest_filter=" + Quoted(name) + " 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr) << std::strerror(errno);
  std::string output;
  std::array<char, 4096> buffer{};
  std::size_t count = 0;
  while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
    output.append(buffer.data(), count);
  }
  const int status = pclose(pipe);
  // Pass on what the user saw in there.
  for (std::size_t at = output.find("[user saw]"); at != std::string::npos;
       at = output.find("[user saw]", at + 1)) {
    std::cout << output.substr(at, output.find('\n', at) - at) << " (as nobody)" << std::endl;
  }
  ASSERT_TRUE(WIFEXITED(status)) << output;
  EXPECT_EQ(WEXITSTATUS(status), 0) << output;
  EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

void Unprivileged::GiveToChild(const std::filesystem::path& file, Giving giving) {
  if (geteuid() != 0) return;
  const passwd* user = getpwnam(kChildUser);
  const group* users_group = getgrnam(kChildGroup);
  ASSERT_NE(user, nullptr);
  ASSERT_NE(users_group, nullptr);
  const uid_t owner = giving == kOwnerAndGroup ? user->pw_uid : static_cast<uid_t>(-1);
  ASSERT_EQ(lchown(file.c_str(), owner, users_group->gr_gid), 0) << std::strerror(errno);
}

bool Unprivileged::CanHaveOtherOwners() {
  return geteuid() == 0;
}

std::optional<std::string> TinyDisk::Mount(const std::filesystem::path& at, std::size_t bytes) {
  std::filesystem::create_directories(at);
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
  if (mount("tmpfs", at.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
    return std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
  }
  return std::nullopt;
}

void TinyDisk::Unmount(const std::filesystem::path& at) {
  umount2(at.c_str(), MNT_DETACH);
}

void TinyDisk::Fill(const std::filesystem::path& at) {
  const auto filler = at / "filler";
  const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  ASSERT_GE(fd, 0) << std::strerror(errno);
  std::array<char, 4096> page{};
  while (write(fd, page.data(), page.size()) > 0) {
  }
  while (write(fd, page.data(), 1) > 0) {
  }
  const int error = errno;
  close(fd);
  ASSERT_EQ(error, ENOSPC) << std::strerror(error);
}

}  // namespace quillet::testing
