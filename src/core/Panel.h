// The one object that holds the panel's state; every routine takes it by reference.
#pragma once

#include <filesystem>

#include "core/MainView.h"
#include "core/Ports.h"
#include "core/Variables.h"
#include "link_file/FileLink.h"
#include "link_tcp/ReceiveBuffer.h"
#include "settings/SetupForm.h"

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
  // The setup dialog's contents outlive its openings: it is hidden, not destroyed, and its
  // openers tag it for refilling.
  SetupForm frmTolenFile;
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
