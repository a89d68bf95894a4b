#include "panel/DisplayListForm.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "displaylist/DisplayListFile.h"
#include "model/Panel.h"

namespace dazi {

namespace {

// The number of channels of the list being edited; -1 for a target that names no list.
int ChannelCount(const Panel& panel) {
  switch (panel.State.DisplayListTarget) {
    case kInputListTarget:
      return std::max(panel.State.InputCount(), 0);
    case kOutputListTarget:
      return std::max(panel.State.OutputCount(), 0);
    default:
      return -1;
  }
}

// The display list being edited, const or not with the panel; null for any other target.
template <typename P>
auto* TargetList(P& panel) {
  switch (panel.State.DisplayListTarget) {
    case kInputListTarget:
      return &panel.Settings.InputDisplayList;
    case kOutputListTarget:
      return &panel.Settings.OutputDisplayList;
    default:
      return static_cast<decltype(&panel.Settings.InputDisplayList)>(nullptr);
  }
}

// The by-channel names cover the channels the switcher named, or the first 256 generated ones in
// File Mode; the generated pattern goes on beyond them, so that every channel can be listed.
std::string ChannelName(const Panel& panel, int channel) {
  const bool inputs = panel.State.DisplayListTarget == kInputListTarget;
  const ChannelTable& table = inputs ? panel.State.Inputs() : panel.State.Outputs();
  if (const std::string* name = table.AlphaByChannel(channel)) return *name;
  return inputs ? GeneratedInputName(channel) : GeneratedOutputName(channel);
}

ListItem ItemFor(const Panel& panel, int channel) {
  ListItem item;
  item.Key = ChannelKey(channel);
  const std::string name = ChannelName(panel, channel);
  item.Text = name == kOffSourceByChannel ? name : name + " (" + item.Key + ")";
  item.SubItem1 = item.Key;
  return item;
}

// Adds the items of lvChannel that pass the test to the end of lvList, unless already there.
template <typename Test>
void AddToCurrentList(DisplayListForm& form, Test passes) {
  for (const ListItem& item : form.lvChannel.Items()) {
    if (!passes(item) || KeyExists(form, item.Key)) continue;
    ListItem copy = item;
    copy.Selected = false;
    form.lvList.Add(std::move(copy));
  }
}

}  // namespace

bool ListItems::Add(ListItem item) {
  if (!keys_.insert(item.Key).second) return false;
  items_.push_back(std::move(item));
  return true;
}

void ListItems::RemoveSelected() {
  std::erase_if(items_, [this](const ListItem& item) {
    if (item.Selected) keys_.erase(item.Key);
    return item.Selected;
  });
}

void ListItems::Clear() {
  items_.clear();
  keys_.clear();
}

std::string ChannelKey(int channel) {
  char key[24];
  std::snprintf(key, sizeof key, "Ch.%04d", channel + 1);
  return key;
}

// The whole number after "Ch." counts: with more than 9999 channels the keys grow a fifth digit,
// and the last four characters alone would name another channel.
int ChannelOfKey(const std::string& key) {
  constexpr std::string_view kPrefix = "Ch.";
  constexpr std::size_t kMaxDigits = 9;
  if (!key.starts_with(kPrefix)) return -1;
  const std::string_view digits = std::string_view(key).substr(kPrefix.size());
  if (digits.empty() || digits.size() > kMaxDigits) return -1;
  int number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    number = number * 10 + (c - '0');
  }
  return number - 1;
}

void LoadMasterList(const Panel& panel, DisplayListForm& form) {
  form.lvChannel.Clear();
  const int count = ChannelCount(panel);
  form.lvChannel.Items().reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int channel = 0; channel < count; ++channel) form.lvChannel.Add(ItemFor(panel, channel));
}

void LoadCurrentList(const Panel& panel, DisplayListForm& form) {
  form.lvList.Clear();
  const std::string* list = TargetList(panel);
  if (!list) return;
  // A list shorter than the channel count hides the channels past its end.
  const int count = std::min<int>(ChannelCount(panel), static_cast<int>(list->size()));
  for (int channel = 0; channel < count; ++channel) {
    if ((*list)[static_cast<std::size_t>(channel)] == '1') form.lvList.Add(ItemFor(panel, channel));
  }
}

bool KeyExists(const DisplayListForm& form, const std::string& key) {
  return form.lvList.Contains(key);
}

// The list operations end quietly on an error, leaving the lists as far as they had got.
void DisplayListForm_Activate(Panel& panel, DisplayListForm& form) {
  try {
    LoadMasterList(panel, form);
    LoadCurrentList(panel, form);
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Loading Display List Editor", error.what());
  }
}

void DisplayListForm_cmdAdd_Click(Panel& panel, DisplayListForm& form) {
  try {
    AddToCurrentList(form, [](const ListItem& item) { return item.Selected; });
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Adding Channels", error.what());
  }
}

void DisplayListForm_cmdAddAll_Click(Panel& panel, DisplayListForm& form) {
  try {
    AddToCurrentList(form, [](const ListItem&) { return true; });
  } catch (const std::exception& error) {
    LogFailure(panel.Log, "Error Adding Channels", error.what());
  }
}

void DisplayListForm_cmdRemove_Click(Panel&, DisplayListForm& form) {
  form.lvList.RemoveSelected();
}

void DisplayListForm_cmdRemoveAll_Click(Panel&, DisplayListForm& form) {
  form.lvList.Clear();
}

void DisplayListForm_cmdOk_Click(Panel& panel, DisplayListForm& form) {
  form.Visible = false;
  std::string* list = TargetList(panel);
  if (!list) return;
  // Exactly one flag per channel, whatever length the list had before.
  std::string flags(static_cast<std::size_t>(ChannelCount(panel)), '0');
  for (const ListItem& item : form.lvList.Items()) {
    const int channel = ChannelOfKey(item.Key);
    if (channel >= 0 && static_cast<std::size_t>(channel) < flags.size()) flags[channel] = '1';
  }
  *list = std::move(flags);
  // What the operator confirmed is kept at once, not only with the next save of the settings:
  // a panel that is not configured never writes zorntpnl.ini, and the list would be lost.
  SaveDisplayList(panel);
}

void DisplayListForm_cmdCancel_Click(Panel&, DisplayListForm& form) {
  form.Visible = false;
}

void DisplayListForm_Unload(Panel&, DisplayListForm& form) {
  form.lvChannel.Clear();
  form.lvList.Clear();
}

}  // namespace dazi
