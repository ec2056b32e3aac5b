// What the start-up benchmarks share: a private Xvfb, one start of a program
// on it timed from fork to the first paint of its window, the peak memory of
// that process, and the medians and ratios of a program against its yardstick.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace quillet::bench {

struct Sample {
  double seconds;
  double peak_mb;
};

// An Xvfb on a free display, for this process and the programs it starts.
class PrivateX {
 public:
  PrivateX() = default;
  PrivateX(const PrivateX&) = delete;
  PrivateX& operator=(const PrivateX&) = delete;
  ~PrivateX();

  bool Start();
  Display* display() const { return display_; }
  const std::string& name() const { return name_; }

 private:
  Display* display_ = nullptr;
  std::string name_;
  pid_t xvfb_ = 0;
};

// Where the first paint shows: a pixel that stays black until the window's
// content is drawn. `y_from_bottom` counts up from the window's lower edge,
// which puts the pixel at one place of the client area whatever the height
// of the menu bar above it.
struct PaintProbe {
  std::string title;  // the window's exact title
  int x;
  int y_from_bottom;
};

// Starts `argv` in `cwd` on `x`, waits for the window titled probe.title to be
// mapped and for the probe's pixel to turn from black, then ends the program
// and reaps it. False if no window was painted within `limit_seconds`, or the
// program ended before it showed one.
bool StartOnce(const PrivateX& x, const std::vector<std::string>& argv,
               const std::filesystem::path& cwd, const PaintProbe& probe, Sample& sample,
               int limit_seconds = 20);

// Starts `argv` on `x` without waiting for anything; the caller reaps it.
pid_t Spawn(const PrivateX& x, const std::vector<std::string>& argv,
            const std::filesystem::path& cwd);

// One side of a comparison: the benchmark's name, the name in the report,
// and how it is started and seen.
struct Contender {
  std::string benchmark_name;
  std::string report_name;
  std::vector<std::string> argv;
  PaintProbe probe;
};

// Starts each once to warm the caches, then `rounds` times each, interleaved
// so that a busy moment of the machine hits both alike, as benchmarks of one
// iteration; then prints the medians and ratios of `program` against
// `yardstick`. Run after benchmark::Initialize.
void CompareStartups(const PrivateX& x, const std::filesystem::path& cwd, const Contender& program,
                     const Contender& yardstick, int rounds, int limit_seconds);

}  // namespace quillet::bench
