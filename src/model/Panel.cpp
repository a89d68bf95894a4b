#include "model/Panel.h"

#include "model/FileSystem.h"
#include "model/FileWork.h"
#include "model/Selection.h"

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
