// A call into the file system that a network share may leave hanging (a server rebooting, a link
// down, a hard NFS mount): the setup dialog asks it on a thread of its own and waits for the
// answer only a short while, so that the dialog never stalls on a share.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace dazi {

// How long the dialog waits for a share: far longer than any answering disk or share needs to
// stat a folder or list it, short enough that the operator does not wait on one that is gone.
inline constexpr std::chrono::milliseconds kShareAnswerBound{500};

namespace detail {
// Counts the calls whose threads have not returned; false (and nothing counted) when too many
// are still hanging, so that an operator clicking at a dead share cannot pile up threads.
bool EnterShareCall();
void LeaveShareCall();
}  // namespace detail

// Runs the call on a thread of its own and returns its answer, or nothing when none came within
// the bound. A call that does not answer in time is abandoned: its thread owns everything it
// uses and ends whenever the share answers; nobody waits for it.
template <typename R>
std::optional<R> AskShare(std::function<R()> call,
                          std::chrono::milliseconds bound = kShareAnswerBound) {
  struct Answer {
    std::mutex lock;
    std::condition_variable ready;
    bool done = false;
    std::optional<R> value;
  };
  if (!detail::EnterShareCall()) return std::nullopt;
  auto answer = std::make_shared<Answer>();
  try {
    std::thread([answer, call = std::move(call)] {
      std::optional<R> value;
      try {
        value = call();
      } catch (...) {
        // A call that fails answers nothing, as one that hangs.
      }
      detail::LeaveShareCall();
      const std::lock_guard guard(answer->lock);
      answer->value = std::move(value);
      answer->done = true;
      answer->ready.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    detail::LeaveShareCall();
    return std::nullopt;
  }
  std::unique_lock guard(answer->lock);
  answer->ready.wait_for(guard, bound, [&] { return answer->done; });
  return answer->value;
}

}  // namespace dazi
