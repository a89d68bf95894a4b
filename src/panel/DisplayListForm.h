// The display-list editor, frmDisplayListView, as plain data: its two list views (every channel
// on the left, the display list on the right) and the routines of its events.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

namespace dazi {

struct Panel;

inline constexpr const char* kDisplayListCaption = "Edit Display Lists";
inline constexpr int kInputListTarget = 10;
inline constexpr int kOutputListTarget = 20;

// One row of a list view: a channel, known by its key "Ch.0001".
struct ListItem {
  std::string Key;
  std::string Text;      // first column: "Inpt0001 (Ch.0001)", or just "- Off -"
  std::string SubItem1;  // second column: the key
  bool Selected = false;
};

// A list view's items, with their keys kept in a set beside them so that a lookup does not walk
// the list: a router may have 16383 channels. Keys are unique within one list.
class ListItems {
 public:
  const std::vector<ListItem>& Items() const { return items_; }
  std::vector<ListItem>& Items() { return items_; }  // for the selection; keys stay as they are
  std::size_t Count() const { return items_.size(); }
  bool Contains(const std::string& key) const { return keys_.contains(key); }

  // Appends the item; false (and nothing added) when its key is there already.
  bool Add(ListItem item);
  void RemoveSelected();
  void Clear();

 private:
  std::vector<ListItem> items_;
  std::unordered_set<std::string> keys_;
};

struct DisplayListForm {
  ListItems lvChannel;
  ListItems lvList;
  bool Visible = false;  // the view shows the dialog; OK and Cancel hide it
};

// The key of channel k (0-based): "Ch." and k + 1 in at least four digits.
std::string ChannelKey(int channel);
// The channel a key names: the number after "Ch." minus 1; -1 for anything else.
int ChannelOfKey(const std::string& key);

void LoadMasterList(const Panel& panel, DisplayListForm& form);
void LoadCurrentList(const Panel& panel, DisplayListForm& form);
bool KeyExists(const DisplayListForm& form, const std::string& key);

void DisplayListForm_Activate(Panel& panel, DisplayListForm& form);
void DisplayListForm_cmdAdd_Click(Panel& panel, DisplayListForm& form);
void DisplayListForm_cmdAddAll_Click(Panel& panel, DisplayListForm& form);
void DisplayListForm_cmdRemove_Click(Panel& panel, DisplayListForm& form);
void DisplayListForm_cmdRemoveAll_Click(Panel& panel, DisplayListForm& form);
void DisplayListForm_cmdOk_Click(Panel& panel, DisplayListForm& form);
void DisplayListForm_cmdCancel_Click(Panel& panel, DisplayListForm& form);
// However the dialog closes: both lists are emptied.
void DisplayListForm_Unload(Panel& panel, DisplayListForm& form);

}  // namespace dazi
