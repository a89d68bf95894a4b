// The one object that holds the panel's state; every routine takes it by reference.
#pragma once

#include "core/MainView.h"
#include "core/Ports.h"
#include "core/Variables.h"
#include "link_tcp/ReceiveBuffer.h"

namespace dazi {

class FileSystemPort;

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
  FileSystemPort* Files;   // the server directory's file system; the computer's own unless replaced
  bool Unloading = false;  // Unload_Program has begun
};

}  // namespace dazi
