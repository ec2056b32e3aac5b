// Start-up of the program against a bare Qt window with 162 line edits, under
// a private Xvfb: the time from fork to the first paint of the main window (the
// window mapped and its pixels no longer the black of the empty screen), and
// the peak resident memory of the process. Prints the medians and the ratios.
//
// Run: quillet_startup_bench [--benchmark_repetitions=N] (N runs per program).
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

using quillet::bench::PaintProbe;
using quillet::bench::PrivateX;
using quillet::bench::Sample;

// Left margin, 262 px above the lower edge: background in both windows,
// black until painted.
constexpr int kProbeX = 4;
constexpr int kProbeFromBottom = 262;

PrivateX g_x;
std::filesystem::path g_work;
std::vector<Sample> g_quillet, g_bare;

void Startup(benchmark::State& state, std::string program, PaintProbe probe,
             std::vector<Sample>* samples) {
  for (auto _ : state) {
    Sample sample{};
    if (!quillet::bench::StartOnce(g_x, {program}, g_work, probe, sample)) {
      state.SkipWithError(("no first paint of " + program).c_str());
      break;
    }
    state.SetIterationTime(sample.seconds);
    state.counters["peak_MB"] = sample.peak_mb;
    samples->push_back(sample);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  char folder[] = "/tmp/quillet-bench.XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  g_work = folder;
  const std::filesystem::path xdg = g_work / "xdg";
  std::filesystem::create_directory(xdg);
  chmod(xdg.c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", xdg.c_str(), 1);
  if (!g_x.Start()) {
    std::fprintf(stderr, "could not start Xvfb\n");
    return 1;
  }
  const PaintProbe quillet{"Quillet", kProbeX, kProbeFromBottom};
  const PaintProbe bare{"Bare", kProbeX, kProbeFromBottom};
  // One start of each first, so that both find the libraries and fonts in the
  // page cache and neither pays for the other's first load.
  Sample warm{};
  quillet::bench::StartOnce(g_x, {QUILLET_PROGRAM}, g_work, quillet, warm);
  quillet::bench::StartOnce(g_x, {BARE_WINDOW_PROGRAM}, g_work, bare, warm);
  // Interleaved, so that a busy moment of the machine hits both alike.
  for (int round = 0; round < 15; ++round) {
    benchmark::RegisterBenchmark("startup/quillet", Startup, std::string(QUILLET_PROGRAM), quillet,
                                 &g_quillet)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("startup/bare_window", Startup, std::string(BARE_WINDOW_PROGRAM),
                                 bare, &g_bare)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  quillet::bench::Report("quillet", g_quillet, "bare window", g_bare);
  std::filesystem::remove_all(g_work);
  return 0;
}
