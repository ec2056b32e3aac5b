#include "x_startup.h"

#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace quillet::bench {
namespace {

using Clock = std::chrono::steady_clock;

int IgnoreXErrors(Display*, XErrorEvent*) {
  return 0;
}

std::string WindowTitle(Display* display, Window window) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) == 0 || name == nullptr) return {};
  std::string title(name);
  XFree(name);
  return title;
}

bool ProbePainted(Display* display, Window window, const PaintProbe& probe) {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) == 0) return false;
  const int y = attributes.height - probe.y_from_bottom;
  if (y < 0 || probe.x >= attributes.width) return false;
  XImage* image = XGetImage(display, window, probe.x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  const bool painted = XGetPixel(image, 0, 0) != 0;
  XDestroyImage(image);
  return painted;
}

// SIGTERM, then SIGKILL if it has not gone within a few seconds.
rusage EndAndReap(pid_t pid) {
  rusage usage{};
  int status = 0;
  kill(pid, SIGTERM);
  for (int tries = 0; tries < 500; ++tries) {
    if (wait4(pid, &status, WNOHANG, &usage) == pid) return usage;
    usleep(10000);
  }
  kill(pid, SIGKILL);
  wait4(pid, &status, 0, &usage);
  return usage;
}

}  // namespace

PrivateX::~PrivateX() {
  if (display_ != nullptr) XCloseDisplay(display_);
  if (xvfb_ > 0) {
    kill(xvfb_, SIGTERM);
    waitpid(xvfb_, nullptr, 0);
  }
}

bool PrivateX::Start() {
  for (int n = 500 + getpid() % 200; n < 900; ++n) {
    if (std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock")) continue;
    const std::string name = ":" + std::to_string(n);
    name_ = name;
    xvfb_ = Spawn(*this, {"Xvfb", name, "-screen", "0", "1280x800x24", "-nolisten", "tcp"}, {});
    for (int tries = 0; tries < 200; ++tries) {
      usleep(20000);
      if ((display_ = XOpenDisplay(name.c_str())) != nullptr) {
        XSetErrorHandler(IgnoreXErrors);
        return true;
      }
    }
    kill(xvfb_, SIGTERM);
    waitpid(xvfb_, nullptr, 0);
    xvfb_ = 0;
  }
  name_.clear();
  return false;
}

pid_t Spawn(const PrivateX& x, const std::vector<std::string>& argv,
            const std::filesystem::path& cwd) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
    setenv("DISPLAY", x.name().c_str(), 1);
    unsetenv("QT_QPA_PLATFORM");
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  return pid;
}

bool StartOnce(const PrivateX& x, const std::vector<std::string>& argv,
               const std::filesystem::path& cwd, const PaintProbe& probe, Sample& sample,
               int limit_seconds) {
  Display* display = x.display();
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, True);
  const auto start = Clock::now();
  const pid_t pid = Spawn(x, argv, cwd);
  const auto deadline = start + std::chrono::seconds(limit_seconds);
  Window window = 0;
  bool ended = false;  // before showing a window: no program, or it failed
  int status = 0;
  while (window == 0 && !ended && Clock::now() < deadline) {
    while (window == 0 && XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect &&
          WindowTitle(display, event.xmap.window) == probe.title) {
        window = event.xmap.window;
      }
    }
    if (window == 0) {
      ended = waitpid(pid, &status, WNOHANG) == pid;
      usleep(200);
    }
  }
  bool painted = false;
  while (window != 0 && !painted && Clock::now() < deadline) {
    painted = ProbePainted(display, window, probe);
    if (!painted) usleep(200);
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const rusage usage = ended ? rusage{} : EndAndReap(pid);
  XSelectInput(display, root, NoEventMask);
  XSync(display, True);
  sample = {seconds, usage.ru_maxrss / 1024.0};
  return painted;
}

namespace {

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Prints the medians of both sets, time and peak memory, and their ratios.
void Report(const std::string& program, const std::vector<Sample>& program_samples,
            const std::string& yardstick, const std::vector<Sample>& yardstick_samples) {
  auto medians = [](const std::vector<Sample>& samples) {
    std::vector<double> times, peaks;
    for (const Sample& s : samples) {
      times.push_back(s.seconds * 1000);
      peaks.push_back(s.peak_mb);
    }
    return std::pair{Median(times), Median(peaks)};
  };
  const auto [program_ms, program_mb] = medians(program_samples);
  const auto [yardstick_ms, yardstick_mb] = medians(yardstick_samples);
  std::printf("\nfirst paint, median of %zu / %zu runs: %s %.1f ms, %s %.1f ms, ratio %.3f\n",
              program_samples.size(), yardstick_samples.size(), program.c_str(), program_ms,
              yardstick.c_str(), yardstick_ms, yardstick_ms > 0 ? program_ms / yardstick_ms : 0);
  std::printf("peak memory, median: %s %.1f MB, %s %.1f MB, ratio %.3f\n", program.c_str(),
              program_mb, yardstick.c_str(), yardstick_mb,
              yardstick_mb > 0 ? program_mb / yardstick_mb : 0);
}

}  // namespace

void CompareStartups(const PrivateX& x, const std::filesystem::path& cwd, const Contender& program,
                     const Contender& yardstick, int rounds, int limit_seconds) {
  std::vector<Sample> program_samples, yardstick_samples;
  auto startup = [&x, &cwd, limit_seconds](benchmark::State& state, const Contender& contender,
                                           std::vector<Sample>* samples) {
    for (auto _ : state) {
      Sample sample{};
      if (!StartOnce(x, contender.argv, cwd, contender.probe, sample, limit_seconds)) {
        state.SkipWithError(("no first paint of " + contender.report_name).c_str());
        break;
      }
      state.SetIterationTime(sample.seconds);
      state.counters["peak_MB"] = sample.peak_mb;
      samples->push_back(sample);
    }
  };
  // Neither pays for the other's first load of libraries and fonts.
  Sample warm{};
  StartOnce(x, program.argv, cwd, program.probe, warm, limit_seconds);
  StartOnce(x, yardstick.argv, cwd, yardstick.probe, warm, limit_seconds);
  for (int round = 0; round < rounds; ++round) {
    for (auto [contender, samples] :
         {std::pair{&program, &program_samples}, std::pair{&yardstick, &yardstick_samples}}) {
      benchmark::RegisterBenchmark(contender->benchmark_name.c_str(), startup, *contender, samples)
          ->UseManualTime()
          ->Iterations(1)
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Report(program.report_name, program_samples, yardstick.report_name, yardstick_samples);
}

}  // namespace quillet::bench
