#include "core/Selection.h"

#include "core/Panel.h"

namespace dazi {
// Stub: to be written.
void cmdoutSel_Change(Panel&) {}
void cmdInSel_Change(Panel&) {}
void DisplayCurrentInput(Panel&, bool) {}
}  // namespace dazi
