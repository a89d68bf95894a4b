// Route churn: random routes at a steady rate, as the other panels and control systems on a busy
// router make them; and the routes printed on request, so that a test can compare what the
// panels show with what the router holds.
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>

#include "Log.h"
#include "Simulator.h"

namespace sim {

void Simulator::StartChurn(double perSecond) {
  churnTimer_.stop();
  if (perSecond <= 0) return;
  churnTimer_.setTimerType(Qt::PreciseTimer);
  churnTimer_.start(std::max(1, static_cast<int>(1000.0 / perSecond + 0.5)));
}

void Simulator::ChurnTick() {
  // Another source than the one routed now, so that every tick is a change; a route the router
  // refuses (an inhibited input) is simply skipped.
  if (router_.inputCount < 2) return;
  const int output = static_cast<int>(churnRandom_() % router_.outputCount);
  int input = static_cast<int>(churnRandom_() % (router_.inputCount - 1));
  if (input >= router_.routes.at(output) && router_.routes.at(output) >= 0) ++input;
  ApplyRoute(output, input);
}

void Simulator::PrintRoutes() const {
  // One line on stdout: per output, in channel order, the source it shows: an input channel,
  // "off" or "-" (unrouted).
  std::string line = "ROUTES";
  for (int output = 0; output < router_.outputCount; ++output) {
    const int input = router_.ShownSource(output);
    if (input == kUnrouted) {
      line += " -";
    } else if (router_.HasOffSource() && input == router_.OffInput()) {
      line += " off";
    } else {
      line += ' ' + std::to_string(input);
    }
  }
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace sim
