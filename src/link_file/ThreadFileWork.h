// File Mode's work on a thread of its own. A worker stuck in a call that never returns is
// abandoned, never joined: the panel replaces it, and ends without waiting for it.
#pragma once

#include <functional>
#include <memory>

#include "model/FileWork.h"

namespace dazi {

class ThreadFileWork final : public FileWorkPort {
 public:
  // Runs a call on the panel's thread, later; called from the worker's thread.
  using Post = std::function<void(std::function<void()>)>;

  explicit ThreadFileWork(Post post);
  // Abandons the worker: whatever it is doing ends on its own, and nothing is posted any more.
  ~ThreadFileWork() override;
  ThreadFileWork(const ThreadFileWork&) = delete;
  ThreadFileWork& operator=(const ThreadFileWork&) = delete;

  void Run(std::function<void()> work, std::function<void()> done) override;
  std::chrono::milliseconds BusyFor() const override;
  void Replace() override;

 private:
  struct Worker;  // shared with the worker's thread, which may outlive this object

  Post post_;
  std::shared_ptr<Worker> worker_;
};

}  // namespace dazi
