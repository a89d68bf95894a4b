// How fast the server's messages reach the model, and how much memory a full router takes.
//
// Targets (Release build, CPU time): 10,000 take reports in one read drained in <= 0.5 ms; the
// full information set of a 4096 x 4096 router in <= 10 ms; 16383 input names in equal pairs
// ordered in <= 20 ms; peak memory for a 16383 x 16383 router's full set <= 50 MB (the
// max_rss_MB counter).

#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "link_tcp/Framing.h"
#include "model/NullPorts.h"
#include "model/Panel.h"

namespace {

using dazi::QuietUi;

using Bytes = std::vector<uint8_t>;

class StreamSocket : public dazi::SocketPort {
 public:
  void Offer(const Bytes& bytes) {
    data_ = bytes.data();
    left_ = bytes.size();
  }
  int Connect(const std::string&, int32_t) override { return 0; }
  void Close() override {}
  bool Connected() const override { return true; }
  int Write(const uint8_t*, int length) override { return written_ = length; }
  int BytesWritten() const override { return written_; }
  int Read(uint8_t* buffer, int maxCount) override {
    const size_t n = std::min(left_, static_cast<size_t>(maxCount));
    std::memcpy(buffer, data_, n);
    data_ += n;
    left_ -= n;
    return static_cast<int>(n);
  }
  int LastError() const override { return dazi::kWouldBlock; }

 private:
  const uint8_t* data_ = nullptr;
  size_t left_ = 0;
  int written_ = 0;
};

struct Link {
  Link() : panel(ui, socket) { Reset(); }
  void Reset() {
    dazi::InitVariables(panel);
    panel.Settings.LinkMode = dazi::TCPIPMode;
    panel.State.SocketConnected = true;
  }
  void Arrive(const Bytes& bytes) {
    socket.Offer(bytes);
    dazi::OnDataArrival(panel, 32767);
  }
  QuietUi ui;
  StreamSocket socket;
  dazi::Panel panel;
};

void PutNumber(Bytes& b, int v) {
  b.push_back(static_cast<uint8_t>(v % 128));
  b.push_back(static_cast<uint8_t>(v / 128));
}

void AppendFramed(Bytes& out, uint8_t command, const Bytes& body) {
  int sum = 0;
  out.push_back(command);
  for (uint8_t b : body) {
    out.push_back(b);
    sum += b;
  }
  out.push_back(static_cast<uint8_t>(sum % 128));
  out.push_back(255);
}

// Alphas "<prefix>00042" for channels in shuffled order, so the sort has work to do.
void AppendAlphaTable(Bytes& out, int kind, const char* prefix, int count, std::mt19937& random) {
  std::vector<int> channels(count);
  std::iota(channels.begin(), channels.end(), 0);
  std::shuffle(channels.begin(), channels.end(), random);
  Bytes body{static_cast<uint8_t>(kind), 8};
  PutNumber(body, count);
  PutNumber(body, 0);
  for (int channel : channels) {
    char alpha[16];
    std::snprintf(alpha, sizeof alpha, "%s%05d", prefix, channel);
    body.insert(body.end(), alpha, alpha + 8);
    PutNumber(body, channel);
  }
  AppendFramed(out, 252, body);
}

// Alphas, salvos, a crosspoint map with one source per output and an inhibit map of three runs
// per output, as the server sends them after the link comes up.
Bytes FullInformationSet(int size) {
  std::mt19937 random(1);
  Bytes out{244};
  AppendAlphaTable(out, 10, "Src", size, random);
  AppendAlphaTable(out, 20, "Dst", size, random);
  AppendAlphaTable(out, 50, "Sal", 64, random);

  Bytes map{0};
  PutNumber(map, size);
  PutNumber(map, 0);
  for (int o = 0; o < size; ++o) {
    map.insert(map.end(), {1, 0, 0});
    PutNumber(map, (o * 7) % size);
    PutNumber(map, 0);
  }
  AppendFramed(out, 246, map);

  Bytes inhibit{0};
  PutNumber(inhibit, size);
  PutNumber(inhibit, 0);
  for (int o = 0; o < size; ++o) {
    const int blocked = o % size;
    PutNumber(inhibit, 3);
    PutNumber(inhibit, blocked);
    PutNumber(inhibit, 64 + 1);  // flag 1, one input
    PutNumber(inhibit, size - blocked - 1);
  }
  AppendFramed(out, 248, inhibit);
  return out;
}

void BM_TakeReports(benchmark::State& state) {
  Link link;
  Bytes reports;
  for (int i = 0; i < 10000; ++i) {
    Bytes body{4, 8};
    PutNumber(body, i % 200);
    PutNumber(body, i % 256);
    AppendFramed(reports, 254, body);
  }
  for (auto _ : state) {
    link.Arrive(reports);
    benchmark::DoNotOptimize(link.panel.State.CrosspointMap()[0].Source[0]);
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TakeReports)->Unit(benchmark::kMillisecond);

void BM_FullInformationSet(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const Bytes set = FullInformationSet(size);
  Link link;
  for (auto _ : state) {
    state.PauseTiming();
    link.Reset();
    state.ResumeTiming();
    link.Arrive(set);
    if (link.panel.State.InfoPending != 0) state.SkipWithError("information incomplete");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(set.size()));
}
BENCHMARK(BM_FullInformationSet)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

// Names that compare equal take the exact, quadratic ordering path: all blank (range 1 = 0),
// or in pairs in shuffled order (range 1 = 1), its slowest common case.
void BM_EqualInputAlphas(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  std::vector<int> names(size);
  for (int i = 0; i < size; ++i) names[i] = state.range(1) ? i / 2 : 0;
  std::shuffle(names.begin(), names.end(), std::mt19937(2));
  Bytes table;
  Bytes body{10, 8};
  PutNumber(body, size);
  PutNumber(body, 0);
  for (int i = 0; i < size; ++i) {
    char alpha[16];
    std::snprintf(alpha, sizeof alpha, "%08d", names[i]);
    body.insert(body.end(), alpha, alpha + 8);
    PutNumber(body, i);
  }
  AppendFramed(table, 252, body);
  Link link;
  for (auto _ : state) {
    state.PauseTiming();
    link.Reset();
    state.ResumeTiming();
    link.Arrive(table);
  }
}
BENCHMARK(BM_EqualInputAlphas)->Args({16383, 0})->Args({16383, 1})->Unit(benchmark::kMillisecond);

void BM_PeakMemoryLargestRouter(benchmark::State& state) {
  const Bytes set = FullInformationSet(16383);
  for (auto _ : state) {
    Link link;
    link.Arrive(set);
    if (link.panel.State.InfoPending != 0) state.SkipWithError("information incomplete");
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["max_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_PeakMemoryLargestRouter)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
