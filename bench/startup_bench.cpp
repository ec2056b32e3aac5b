// Start-up of the program against a bare Qt window with 162 line edits, under
// a private Xvfb: the time from fork to the first paint of the main window (the
// window mapped and its pixels no longer the black of the empty screen), and
// the peak resident memory of the process. Prints the medians and the ratios.
//
// Run: quillet_startup_bench [--benchmark_repetitions=N] (N runs per program).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
  double seconds;
  double peak_mb;
};

Display* g_display = nullptr;
std::string g_display_name;
std::filesystem::path g_work;
std::vector<Sample> g_quillet, g_bare;

int IgnoreXErrors(Display*, XErrorEvent*) {
  return 0;
}

pid_t Spawn(const std::vector<std::string>& argv, const std::filesystem::path& cwd) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
    setenv("DISPLAY", g_display_name.c_str(), 1);
    unsetenv("QT_QPA_PLATFORM");
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  return pid;
}

bool StartX(pid_t& xvfb) {
  for (int n = 500 + getpid() % 200; n < 900; ++n) {
    if (std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock")) continue;
    const std::string name = ":" + std::to_string(n);
    xvfb = Spawn({"Xvfb", name, "-screen", "0", "1280x800x24", "-nolisten", "tcp"}, {});
    for (int tries = 0; tries < 200; ++tries) {
      usleep(20000);
      if ((g_display = XOpenDisplay(name.c_str())) != nullptr) {
        g_display_name = name;
        return true;
      }
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
  }
  return false;
}

// One start: fork, wait for the top-level window to be mapped, then for a
// pixel of its client area to be painted; then end it and read its peak memory.
bool StartOnce(const std::string& program, Sample& sample) {
  const Window root = DefaultRootWindow(g_display);
  XSelectInput(g_display, root, SubstructureNotifyMask);
  XSync(g_display, True);
  const auto start = Clock::now();
  const pid_t pid = Spawn({program}, g_work);
  Window window = 0;
  const auto deadline = start + std::chrono::seconds(20);
  while (window == 0 && Clock::now() < deadline) {
    while (XPending(g_display) > 0) {
      XEvent event;
      XNextEvent(g_display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect) window = event.xmap.window;
    }
    if (window == 0) usleep(200);
  }
  bool painted = false;
  while (window != 0 && !painted && Clock::now() < deadline) {
    // Left margin, half way down: background in both windows, black until painted.
    XImage* image = XGetImage(g_display, window, 4, 200, 1, 1, AllPlanes, ZPixmap);
    if (image != nullptr) {
      painted = XGetPixel(image, 0, 0) != 0;
      XDestroyImage(image);
    }
    if (!painted) usleep(200);
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  kill(pid, SIGTERM);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  XSelectInput(g_display, root, NoEventMask);
  XSync(g_display, True);
  sample = {seconds, usage.ru_maxrss / 1024.0};
  return painted;
}

void Startup(benchmark::State& state, std::string program, std::vector<Sample>* samples) {
  for (auto _ : state) {
    Sample sample{};
    if (!StartOnce(program, sample)) {
      state.SkipWithError(("no first paint of " + program).c_str());
      break;
    }
    state.SetIterationTime(sample.seconds);
    state.counters["peak_MB"] = sample.peak_mb;
    samples->push_back(sample);
  }
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void Report() {
  auto medians = [](const std::vector<Sample>& samples) {
    std::vector<double> times, peaks;
    for (const Sample& s : samples) {
      times.push_back(s.seconds * 1000);
      peaks.push_back(s.peak_mb);
    }
    return std::pair{Median(times), Median(peaks)};
  };
  const auto [quillet_ms, quillet_mb] = medians(g_quillet);
  const auto [bare_ms, bare_mb] = medians(g_bare);
  std::printf(
      "\nfirst paint, median of %zu / %zu runs: quillet %.1f ms, bare window %.1f ms, ratio %.3f\n",
      g_quillet.size(), g_bare.size(), quillet_ms, bare_ms, bare_ms > 0 ? quillet_ms / bare_ms : 0);
  std::printf("peak memory, median: quillet %.1f MB, bare window %.1f MB, ratio %.3f\n", quillet_mb,
              bare_mb, bare_mb > 0 ? quillet_mb / bare_mb : 0);
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
  pid_t xvfb = 0;
  if (!StartX(xvfb)) {
    std::fprintf(stderr, "could not start Xvfb\n");
    return 1;
  }
  XSetErrorHandler(IgnoreXErrors);
  // One start of each first, so that both find the libraries and fonts in the
  // page cache and neither pays for the other's first load.
  Sample warm{};
  StartOnce(QUILLET_PROGRAM, warm);
  StartOnce(BARE_WINDOW_PROGRAM, warm);
  // Interleaved, so that a busy moment of the machine hits both alike.
  for (int round = 0; round < 15; ++round) {
    benchmark::RegisterBenchmark("startup/quillet", Startup, std::string(QUILLET_PROGRAM),
                                 &g_quillet)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("startup/bare_window", Startup, std::string(BARE_WINDOW_PROGRAM),
                                 &g_bare)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Report();
  XCloseDisplay(g_display);
  kill(xvfb, SIGTERM);
  waitpid(xvfb, nullptr, 0);
  std::filesystem::remove_all(g_work);
  return 0;
}
