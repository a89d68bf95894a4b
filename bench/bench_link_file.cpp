// What File Mode costs: a tick where nothing changed, the full load of a large server directory,
// and the memory the largest inhibit file takes on its way in.
//
// Targets: an idle tick does three stamp look-ups and one 1-byte read and nothing else (checked
// here and counted in the unit tests); the window's thread spends under 20 us of CPU on an idle
// tick whose file work runs on the worker (BM_FileIdleTickOnWorker); the full load of a 4096 x 4096
// directory (16.8 MB linhbt.ndf) in <= 60 ms CPU; a 16383 x 16383 linhbt.ndf (268 MB) streamed with
// a peak of < 100 MB above the panel's own (the peak_above_panel_MB counter).
//
// The full loads read real files from a temporary directory, as the panel would read a share
// that the operating system has cached; the idle tick runs over the in-memory directory.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "link_file/MemoryFileSystem.h"
#include "link_file/NetworkFiles.h"
#include "link_file/ThreadFileWork.h"
#include "model/NullPorts.h"
#include "model/Panel.h"

namespace {

using dazi::FileBytes;
namespace fs = std::filesystem;

void PutInteger(FileBytes& b, int value) {
  b.push_back(static_cast<uint8_t>(value & 0xFF));
  b.push_back(static_cast<uint8_t>(value >> 8 & 0xFF));
}

// A switcher of `size` inputs and outputs: the whole directory but the inhibit map.
std::vector<std::pair<std::string, FileBytes>> SmallFiles(int size) {
  FileBytes alpha;
  PutInteger(alpha, 7);
  for (const char* prefix : {"SRC", "DST"}) {
    PutInteger(alpha, size);
    char name[16];
    for (int k = 0; k < size; ++k) {
      std::snprintf(name, sizeof name, "%s%05d", prefix, k);
      alpha.insert(alpha.end(), name, name + 8);
    }
    for (int k = 0; k < size; ++k) PutInteger(alpha, size - 1 - k);
  }
  FileBytes map{1};
  PutInteger(map, size);
  for (int o = 0; o < size; ++o) {
    PutInteger(map, 1);
    PutInteger(map, (o * 7) % size);
  }
  return {{"Status.ndf", {1}}, {"lalpha.ndf", alpha}, {"lxptmap.ndf", map}};
}

// One row of linhbt.ndf: a few inhibited inputs per output.
std::string InhibitRow(int size, int row) {
  std::string line(static_cast<size_t>(size), '0');
  for (int c = row % 61; c < size; c += 61) line[static_cast<size_t>(c)] = '1';
  return line;
}

struct Panel {
  Panel() : panel(ui, socket) { dazi::InitVariables(panel); }
  dazi::QuietUi ui;
  dazi::IdleSocket socket;
  dazi::Panel panel;
};

// A server directory on disk, removed afterwards; the inhibit file is written row by row.
class DiskServer {
 public:
  explicit DiskServer(int size)
      : dir_(fs::temp_directory_path() / ("dazi-bench-" + std::to_string(getpid()))) {
    fs::create_directories(dir_);
    for (const auto& [name, bytes] : SmallFiles(size)) {
      std::ofstream(dir_ / name, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    }
    std::ofstream inhibit(dir_ / "linhbt.ndf", std::ios::binary);
    FileBytes counts;
    PutInteger(counts, size);
    PutInteger(counts, size);
    inhibit.write(reinterpret_cast<const char*>(counts.data()), 4);
    for (int r = 0; r < size; ++r) inhibit << InhibitRow(size, r);
  }
  ~DiskServer() { fs::remove_all(dir_); }
  std::string Path() const { return dir_.string() + "/"; }

 private:
  fs::path dir_;
};

// A 256 x 256 server directory in memory, loaded.
void LoadInMemory(benchmark::State& state, Panel& p, dazi::MemoryFileSystem& files) {
  for (auto& [name, bytes] : SmallFiles(256)) files.Put("/srv/zor/" + name, bytes);
  FileBytes inhibit;
  PutInteger(inhibit, 256);
  PutInteger(inhibit, 256);
  for (int r = 0; r < 256; ++r) {
    const std::string row = InhibitRow(256, r);
    inhibit.insert(inhibit.end(), row.begin(), row.end());
  }
  files.Put("/srv/zor/linhbt.ndf", inhibit);
  p.panel.Files = &files;
  p.panel.Settings.ServerPath = "/srv/zor/";
  if (!dazi::ReadNetworkFiles(p.panel)) state.SkipWithError("full load failed");
  files.Count = {};
}

void BM_FileIdleTick(benchmark::State& state) {
  Panel p;
  dazi::MemoryFileSystem files;
  LoadInMemory(state, p, files);
  for (auto _ : state) dazi::FileRefreshTick(p.panel);
  const auto ticks = static_cast<double>(state.iterations());
  const dazi::MemoryFileSystem::Calls& n = files.Count;
  state.counters["stamps_per_tick"] = n.Stamps / ticks;
  state.counters["opens_per_tick"] = n.Opens / ticks;
  state.counters["bytes_per_tick"] = static_cast<double>(n.BytesRead) / ticks;
  if (n.Stamps != 3 * state.iterations() || n.Opens != state.iterations() ||
      n.BytesRead != static_cast<uint64_t>(state.iterations()) || n.Listings != 0 || n.Writes != 0)
    state.SkipWithError("an idle tick did more than three stamps and one 1-byte read");
}
BENCHMARK(BM_FileIdleTick);

// The same tick with its file work on the worker thread, as the program runs it: the CPU time is
// this thread's, the window's share (handing the work over and applying what comes back); the
// real time includes the hand-over to the worker and back.
void BM_FileIdleTickOnWorker(benchmark::State& state) {
  Panel p;
  dazi::MemoryFileSystem files;
  LoadInMemory(state, p, files);
  std::mutex lock;
  std::condition_variable posted;
  std::deque<std::function<void()>> events;
  dazi::ThreadFileWork worker([&](std::function<void()> done) {
    std::lock_guard guard(lock);
    events.push_back(std::move(done));
    posted.notify_one();
  });
  p.panel.FileWork = &worker;
  for (auto _ : state) {
    dazi::FileRefreshTick(p.panel);
    std::function<void()> done;
    {
      std::unique_lock guard(lock);
      posted.wait(guard, [&] { return !events.empty(); });
      done = std::move(events.front());
      events.pop_front();
    }
    done();
  }
  if (files.Count.Stamps != 3 * state.iterations())
    state.SkipWithError("an idle tick on the worker did other work");
}
BENCHMARK(BM_FileIdleTickOnWorker);

void BM_FileFullLoad(benchmark::State& state) {
  const DiskServer server(static_cast<int>(state.range(0)));
  Panel p;
  p.panel.Settings.ServerPath = server.Path();
  for (auto _ : state) {
    if (!dazi::ReadNetworkFiles(p.panel)) state.SkipWithError("full load failed");
  }
}
BENCHMARK(BM_FileFullLoad)->Arg(4096)->Unit(benchmark::kMillisecond);

// Resident and peak resident memory of this process, in MB, from /proc/self/status.
double StatusFieldMB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stod(line.substr(std::string(field).size())) / 1024;
  }
  return 0;
}

void BM_FileFullLoadPeakMemory(benchmark::State& state) {
  const DiskServer server(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Panel p;
    p.panel.Settings.ServerPath = server.Path();
    const double before = StatusFieldMB("VmRSS:");
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
    if (!dazi::ReadNetworkFiles(p.panel)) state.SkipWithError("full load failed");
    const double peak = StatusFieldMB("VmHWM:");
    state.counters["panel_MB"] = before;
    state.counters["peak_MB"] = peak;
    state.counters["peak_above_panel_MB"] = peak - before;
  }
}
BENCHMARK(BM_FileFullLoadPeakMemory)->Arg(16383)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
