// A panel with the real Qt socket, connected to a simulator over loopback. Its link timer is
// ticked by hand so that tests need not wait whole poll periods.
#pragma once

#include <functional>

#include "core/Panel.h"
#include "support/FakePorts.h"
#include "ui/QtSocket.h"

namespace dazi::testing {

class LivePanel {
 public:
  explicit LivePanel(quint16 port, const std::u16string& password = u"");

  // Runs the event loop until the condition holds or the time is up.
  bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000);
  // Lets the event loop run for a while (socket traffic both ways).
  void Settle(int ms = 200);
  // One tick of the link timer.
  void Tick();
  // Connects, brings the switcher link up and waits until every piece of information has
  // arrived and has been shown.
  bool ConnectAndLoad();

  FakeUi ui;
  QtSocket socket;
  Panel panel{ui, socket};
};

}  // namespace dazi::testing
