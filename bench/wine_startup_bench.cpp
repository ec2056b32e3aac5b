// Start-up of quillet.exe under Wine against a bare Win32 window with the same
// 201 controls and menu bar (bench/windows/bare_window.cpp), on a private
// Xvfb: the time from the start of `wine X.exe` to the first paint of the
// window (mapped, and its first cell box no longer the black of the empty
// screen), and the peak resident memory of the process. Prints the medians
// and the ratios.
//
// The Wine prefix is made (wineboot) before anything is timed, and its
// session is kept up between runs by a persistent wineserver, so that every
// run pays for starting a program, not Wine.
//
// Run: quillet_wine_startup_bench [--benchmark_...] [QUILLET_EXE BARE_WINDOW_EXE]
// The programs default to those of the Windows build (scripts/build-windows).
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/form1_layout.h"
#include "x_startup.h"

namespace {

namespace layout = quillet::layout;
using quillet::bench::PaintProbe;
using quillet::bench::PrivateX;

constexpr int kRounds = 15;
constexpr int kWineLimitSeconds = 60;
constexpr int kWinebootLimitSeconds = 300;

// The middle of the first cell box's upper part at 96 dots per inch, Wine's
// default: an edit box's white in both windows. Its distance from the lower
// edge keeps it in place below a menu bar of any height.
constexpr PaintProbe Probe(const char* title) {
  return {title,
          layout::TwipsToPixels(layout::kCellLeft + layout::kCellWidth / 2, layout::kStandardDpi),
          layout::TwipsToPixels(layout::kClientHeight - layout::kCellTop - layout::kLine2Below / 2,
                                layout::kStandardDpi)};
}

PrivateX g_x;
std::filesystem::path g_work;

// Runs a Wine tool to its end; true if it ended with status 0.
bool RunToEnd(const std::vector<std::string>& argv) {
  const pid_t pid = quillet::bench::Spawn(g_x, argv, g_work);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // Absolute: the programs run in a folder of their own.
  const std::filesystem::path quillet_exe =
      std::filesystem::absolute(argc == 3 ? argv[1] : QUILLET_EXE);
  const std::filesystem::path bare_exe =
      std::filesystem::absolute(argc == 3 ? argv[2] : BARE_WINDOW_EXE);
  if (argc != 1 && argc != 3) {
    std::fprintf(stderr, "usage: %s [--benchmark_...] [QUILLET_EXE BARE_WINDOW_EXE]\n", argv[0]);
    return 2;
  }
  for (const auto& program : {quillet_exe, bare_exe}) {
    if (!std::filesystem::is_regular_file(program)) {
      std::fprintf(stderr, "%s is missing; scripts/build-windows builds it\n", program.c_str());
      return 1;
    }
  }

  char folder[] = "/tmp/quillet-wine-bench.XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  g_work = folder;
  // A prefix of its own, with nothing of the user's home in it; Windows-1252
  // as on an English Windows; no .NET or Gecko installers, no menu entries.
  const std::filesystem::path prefix = g_work / "wine";
  std::filesystem::create_directory(prefix);
  setenv("WINEPREFIX", prefix.c_str(), 1);
  setenv("HOME", g_work.c_str(), 1);
  setenv("WINEDEBUG", "-all", 1);
  setenv("LC_ALL", "C.UTF-8", 1);
  setenv("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d", 1);
  if (!g_x.Start()) {
    std::fprintf(stderr, "could not start Xvfb\n");
    return 1;
  }

  int status = 1;
  // The session: a server that outlives its programs, and with it Wine's
  // own services, which would otherwise end with every program and start
  // again with the next; then the prefix made.
  if (!RunToEnd({"wineserver", "--persistent"}) ||
      !RunToEnd({"timeout", std::to_string(kWinebootLimitSeconds), "wineboot", "--init"})) {
    std::fprintf(stderr, "could not make the Wine prefix\n");
  } else {
    quillet::bench::CompareStartups(
        g_x, g_work,
        {"wine_startup/quillet", "quillet.exe", {"wine", quillet_exe}, Probe("Quillet")},
        {"wine_startup/bare_window", "bare window", {"wine", bare_exe}, Probe("Bare")}, kRounds,
        kWineLimitSeconds);
    status = 0;
  }
  RunToEnd({"wineserver", "--kill"});
  std::filesystem::remove_all(g_work);
  return status;
}
