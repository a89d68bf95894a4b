#include "link_file/NetworkFiles.h"

#include "core/Panel.h"

namespace dazi {

// File Mode reading is not built yet: only TCP/IP Mode has switcher data.
bool ReadNetworkFiles(Panel& panel) {
  if (panel.Settings.LinkMode == TCPIPMode) return true;
  return false;
}

void FileRefreshTick(Panel&) {}

bool WriteCommandFile(Panel&, int, int) {
  return false;
}

}  // namespace dazi
