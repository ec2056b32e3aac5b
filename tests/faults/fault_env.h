// Ways to make the file system misbehave for a test: running part of a test
// as an unprivileged user (the tests usually run as root, who may read and
// write everything), and a tiny disk that is full.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quillet::testing {

// Writes down a message the user was shown, so a test log tells what a fault
// looks like from the outside.
void UserSaw(const std::string& message);

class Unprivileged {
 public:
  // True in the copy of the test binary that Run starts as "nobody".
  static bool InChild();
  // The folder that copy works in.
  static std::filesystem::path ChildFolder();
  // Why permissions cannot be tested here, or nothing when they can.
  static std::optional<std::string> WhyNotPossible();
  // Runs `act` with `folder` as working directory and without the power to
  // override file permissions. As root this starts the current test again as
  // "nobody" (a copy of the binary, so the build folder need not be readable),
  // where only `act` runs; its assertions count there, and a failure there
  // fails the test here. As any other user `act` runs right here.
  static void Run(const std::filesystem::path& folder, const std::function<void()>& act);
  // Makes `file` belong to the user that Run runs as, or only to that user's
  // group (as any other user it belongs to them already).
  enum Giving { kOwnerAndGroup, kGroupOnly };
  static void GiveToChild(const std::filesystem::path& file, Giving giving = kOwnerAndGroup);
  // Whether a file can be given to someone else than the user Run runs as:
  // only root can.
  static bool CanHaveOtherOwners();
};

// A tmpfs of a few pages mounted at a folder, for running out of space.
class TinyDisk {
 public:
  // Mounts it, or gives the reason it cannot be mounted here.
  static std::optional<std::string> Mount(const std::filesystem::path& at, std::size_t bytes);
  static void Unmount(const std::filesystem::path& at);
  // Fills every free byte with a filler file.
  static void Fill(const std::filesystem::path& at);
};

}  // namespace quillet::testing
