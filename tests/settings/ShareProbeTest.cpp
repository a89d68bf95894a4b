#include "settings/ShareProbe.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <thread>

namespace dazi {
namespace {

using namespace std::chrono_literals;

// A share that does not answer: the calls are given up after the bound and end on their own
// once it answers; while many hang, further calls are refused at once rather than piling up.
TEST(ShareProbe, GivesUpOnCallsThatHangAndNeverWaitsForThem) {
  EXPECT_EQ(AskShare<int>([] { return 7; }), 7);

  std::promise<void> answer;
  const std::shared_future<void> answered = answer.get_future().share();
  const auto finished = std::make_shared<std::atomic<int>>(0);
  const auto hang = [answered, finished] {
    answered.wait();
    ++*finished;
    return 1;
  };
  for (int call = 0; call < 100; ++call) EXPECT_EQ(AskShare<int>(hang, 10ms), std::nullopt);
  EXPECT_EQ(AskShare<int>([] { return 8; }), std::nullopt) << "too many calls are hanging";

  answer.set_value();
  for (int wait = 0; wait < 500 && *finished < 16; ++wait) std::this_thread::sleep_for(10ms);
  EXPECT_EQ(*finished, 16);
  EXPECT_EQ(AskShare<int>([] { return 9; }), 9);
}

}  // namespace
}  // namespace dazi
