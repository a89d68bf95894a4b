// A panel over fake ports, started as the program starts it (model at its start values).
#pragma once

#include "model/Panel.h"
#include "support/FakePorts.h"

namespace dazi::testing {

struct PanelFixture {
  PanelFixture() { InitVariables(panel); }
  FakeUi ui;
  FakeSocket socket;
  Panel panel{ui, socket};
};

}  // namespace dazi::testing
