// Start-up of the program against a bare Qt window with 162 line edits, under
// a private Xvfb: the time from fork to the first paint of the main window (the
// window mapped and its pixels no longer the black of the empty screen), and
// the peak resident memory of the process. Prints the medians and the ratios.
//
// Run: quillet_startup_bench [--benchmark_...]
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "x_startup.h"

namespace {

using quillet::bench::PrivateX;

constexpr int kRounds = 15;
constexpr int kLimitSeconds = 20;
// Left margin, 262 px above the lower edge: background in both windows,
// black until painted.
constexpr int kProbeX = 4;
constexpr int kProbeFromBottom = 262;

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  char folder[] = "/tmp/quillet-bench.XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  const std::filesystem::path work = folder;
  const std::filesystem::path xdg = work / "xdg";
  std::filesystem::create_directory(xdg);
  chmod(xdg.c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", xdg.c_str(), 1);
  {
    PrivateX x;
    if (!x.Start()) {
      std::fprintf(stderr, "could not start Xvfb\n");
      std::filesystem::remove_all(work);
      return 1;
    }
    quillet::bench::CompareStartups(
        x, work,
        {"startup/quillet", "quillet", {QUILLET_PROGRAM}, {"Quillet", kProbeX, kProbeFromBottom}},
        {"startup/bare_window",
         "bare window",
         {BARE_WINDOW_PROGRAM},
         {"Bare", kProbeX, kProbeFromBottom}},
        kRounds, kLimitSeconds);
  }
  std::filesystem::remove_all(work);
  return 0;
}
