// The one object that holds the panel's state; every routine takes it by reference.
#pragma once

#include <filesystem>

#include "model/FileLinkState.h"
#include "model/MainView.h"
#include "model/Ports.h"
#include "model/ReceiveBuffer.h"
#include "model/Variables.h"

namespace dazi {

class FileSystemPort;
class FileWorkPort;

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
  FileSystemPort* Files;  // the server directory's file system; the computer's own unless replaced
  // Where that file system is used: at once, in the caller, unless a worker is given.
  FileWorkPort* FileWork;
  FileLinkState FileLink;
  // Unload_Program has begun. A latch, not a guard: once set it stays, so that waits and loads
  // running in nested event loops end too.
  bool Unloading = false;
  // Where zorntpnl.ini and DisplayList.dat live, chosen at start from the command line and the
  // program's location; empty means the program's own folder, AppPath.
  std::filesystem::path SettingsFolder;
  LinkLog* Log = nullptr;  // the link log, when an engineer asked for one

  const std::filesystem::path& SettingsFolderInUse() const {
    return SettingsFolder.empty() ? State.AppPath : SettingsFolder;
  }
};

}  // namespace dazi
