#include "core/Panel.h"

#include "core/Selection.h"
#include "link_file/FileSystem.h"
#include "link_file/FileWork.h"

namespace dazi {

namespace {

InlineFileWork& AtOnce() {
  static InlineFileWork work;
  return work;
}

}  // namespace

Panel::Panel(UiPort& ui, SocketPort& socket)
    : Ui(ui), Socket(socket), Files(&RealFileSystem()), FileWork(&AtOnce()) {
  View.cmdoutSel.OnChange = [this] { cmdoutSel_Change(*this); };
  View.cmdInSel.OnChange = [this] { cmdInSel_Change(*this); };
}

}  // namespace dazi
