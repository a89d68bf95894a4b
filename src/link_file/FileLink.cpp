#include "link_file/FileLink.h"

#include <algorithm>

#include "link_file/ServerFiles.h"
#include "model/Panel.h"
#include "model/ScopedValue.h"

namespace dazi {

namespace {

constexpr std::chrono::milliseconds kShareAnswerLimit{2000};
constexpr std::chrono::milliseconds kWaitSlice{50};

}  // namespace

std::chrono::milliseconds ShareAnswerBound(const PanelSettings& settings) {
  return std::min(kShareAnswerLimit, std::chrono::milliseconds(
                                         std::chrono::seconds(std::max(settings.FileTimeOut, 1))));
}

std::shared_ptr<ServerDirectory> CurrentDirectory(Panel& panel) {
  std::shared_ptr<ServerDirectory>& directory = panel.FileLink.Directory;
  if (!directory || directory->Path != panel.Settings.ServerPath)
    directory = std::make_shared<ServerDirectory>(*panel.Files, panel.Settings.ServerPath);
  return directory;
}

bool AwaitFileWork(Panel& panel, const bool& finished, std::chrono::milliseconds bound,
                   const std::atomic<uint64_t>* answers) {
  using Clock = std::chrono::steady_clock;
  // Ticks wait too: their work would only queue behind this, and an outage they told of meanwhile
  // would open its message inside this wait.
  const ScopedValue waiting(panel.FileLink.Waiting, true);
  uint64_t seen = answers ? answers->load() : 0;
  Clock::time_point since = Clock::now();
  while (!finished && !panel.Unloading) {
    if (answers && *answers != seen) {
      seen = *answers;
      since = Clock::now();
    } else if (Clock::now() - since >= bound) {
      break;
    }
    panel.Ui.RunEventsFor(static_cast<int>(kWaitSlice.count()));
  }
  return finished;
}

}  // namespace dazi
