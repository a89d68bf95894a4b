// Where File Mode's file-system work runs. A call into a network share can block for as long as
// the share hangs, so the panel hands every stamp, read and write to a worker and goes on; the
// worker hands back whole results, which the panel applies on its own thread in the order the
// work was handed over.
#pragma once

#include <chrono>
#include <functional>

namespace dazi {

class FileWorkPort {
 public:
  virtual ~FileWorkPort() = default;
  // Runs `work` off the panel's thread once the work handed over before it has ended, then
  // `done` on the panel's thread. `work` must reach nothing the panel's thread may change.
  virtual void Run(std::function<void()> work, std::function<void()> done) = 0;
  // How long the work running now has been at it; zero when idle.
  virtual std::chrono::milliseconds BusyFor() const = 0;
  // Leaves the work under way, and what waits behind it, to end on its own if it ever does;
  // their `done` never runs. Later work runs on a fresh worker.
  virtual void Replace() = 0;
};

// Runs the work and its end at once, in the caller: for tests, fuzzing and benchmarks, where the
// files never hang.
class InlineFileWork final : public FileWorkPort {
 public:
  void Run(std::function<void()> work, std::function<void()> done) override {
    work();
    done();
  }
  std::chrono::milliseconds BusyFor() const override { return {}; }
  void Replace() override {}
};

}  // namespace dazi
