#include "core/Panel.h"

#include "core/Selection.h"
#include "link_file/FileSystem.h"

namespace dazi {

Panel::Panel(UiPort& ui, SocketPort& socket) : Ui(ui), Socket(socket), Files(&RealFileSystem()) {
  View.cmdoutSel.OnChange = [this] { cmdoutSel_Change(*this); };
  View.cmdInSel.OnChange = [this] { cmdInSel_Change(*this); };
}

}  // namespace dazi
