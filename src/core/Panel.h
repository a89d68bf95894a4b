// The one object that holds the panel's state; every routine takes it by reference.
#pragma once

#include "core/MainView.h"
#include "core/Ports.h"
#include "core/Variables.h"
#include "link_tcp/ReceiveBuffer.h"
#include "settings/SetupForm.h"

namespace dazi {

struct Panel {
  // Wires the spinners' change events to the selection routines.
  Panel(UiPort& ui, SocketPort& socket);
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  SwitcherState State;
  PanelSettings Settings;
  MainView View;
  ReceiveBuffer Received;
  UiPort& Ui;
  SocketPort& Socket;
  // The setup dialog's contents outlive its openings: it is hidden, not destroyed, and its
  // openers tag it for refilling.
  SetupForm frmTolenFile;
  bool Unloading = false;  // Unload_Program has begun
};

}  // namespace dazi
