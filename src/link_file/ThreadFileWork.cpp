#include "link_file/ThreadFileWork.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace dazi {

namespace {

using Clock = std::chrono::steady_clock;

struct Job {
  std::function<void()> Work;
  std::function<void()> Done;
};

}  // namespace

struct ThreadFileWork::Worker {
  std::mutex Lock;
  std::condition_variable Wake;
  std::deque<Job> Jobs;
  std::optional<Clock::time_point> BusySince;
  bool Abandoned = false;
  Post PostDone;

  // The thread's life: one job at a time, in order, until abandoned. The job's end is posted
  // under the lock, so that nothing is posted once the owner has let go.
  static void Serve(const std::shared_ptr<Worker>& self) {
    std::unique_lock lock(self->Lock);
    for (;;) {
      self->Wake.wait(lock, [&] { return self->Abandoned || !self->Jobs.empty(); });
      if (self->Abandoned) return;
      Job job = std::move(self->Jobs.front());
      self->Jobs.pop_front();
      self->BusySince = Clock::now();
      lock.unlock();
      // Work that throws (a file too large to hold) has simply not finished what it was given.
      try {
        job.Work();
      } catch (...) {
      }
      lock.lock();
      self->BusySince.reset();
      if (self->Abandoned) return;
      self->PostDone(std::move(job.Done));
    }
  }

  void Abandon() {
    std::lock_guard guard(Lock);
    Abandoned = true;
    Jobs.clear();
    Wake.notify_all();
  }
};

ThreadFileWork::ThreadFileWork(Post post) : post_(std::move(post)) {}

ThreadFileWork::~ThreadFileWork() {
  if (worker_) worker_->Abandon();
}

void ThreadFileWork::Run(std::function<void()> work, std::function<void()> done) {
  if (!worker_) {
    worker_ = std::make_shared<Worker>();
    worker_->PostDone = post_;
    std::thread(Worker::Serve, worker_).detach();
  }
  std::lock_guard guard(worker_->Lock);
  worker_->Jobs.push_back({std::move(work), std::move(done)});
  worker_->Wake.notify_one();
}

std::chrono::milliseconds ThreadFileWork::BusyFor() const {
  if (!worker_) return {};
  std::lock_guard guard(worker_->Lock);
  if (!worker_->BusySince) return {};
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - *worker_->BusySince);
}

void ThreadFileWork::Replace() {
  if (worker_) worker_->Abandon();
  worker_.reset();
}

}  // namespace dazi
