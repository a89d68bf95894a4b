// One kind of channel -- inputs, outputs or salvos -- as the selectors list it: the name and the
// channel number at each position, the position of each channel, the names in channel order and
// how many channels the switcher reported. The lists are only ever replaced together, so they
// agree; every look-up is checked here, so a number from a link that the table does not hold
// reads as absent, never as an index out of bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dazi {

// The one bounds check for numbers that index the model: null outside the list.
template <typename T>
const T* CheckedAt(const std::vector<T>& list, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return nullptr;
  return &list[static_cast<std::size_t>(index)];
}

class ChannelTable {
 public:
  // Positions in the selector list.
  int size() const { return static_cast<int>(alphas_.size()); }
  // The channels the switcher reported (InputCount, OutputCount, SalvoCount). Equal to size()
  // except where a placeholder stands in for the list (ShowOnly, Clear) and for salvos, whose
  // count comes with their keys too.
  int Count() const { return count_; }
  // The positions that stand for counted channels: the first min(Count(), size()).
  int Listed() const { return count_ < size() ? count_ : size(); }

  const std::string* Alpha(int position) const { return CheckedAt(alphas_, position); }
  const int16_t* ChannelAt(int position) const { return CheckedAt(channelAt_, position); }
  // A channel no position holds has position 0; of positions holding the same channel, the last
  // counts. Null for a channel outside 0 .. Count()-1 and before any names arrived.
  const int16_t* PositionOf(int channel) const { return CheckedAt(positionOf_, channel); }
  // The first position holding the channel, among the first Count() positions; -1 when none.
  int FirstPositionOf(int channel) const;
  const std::string* AlphaByChannel(int channel) const { return CheckedAt(byChannel_, channel); }

  const std::vector<std::string>& Alphas() const { return alphas_; }
  const std::vector<int16_t>& Channels() const { return channelAt_; }
  const std::vector<int16_t>& Positions() const { return positionOf_; }
  const std::vector<std::string>& AlphasByChannel() const { return byChannel_; }

  // The start: `count` unnamed positions on channel 0, the first named `first`, and the
  // generated names in channel order. No channel has a position until names arrive.
  void Start(int count, std::string first, std::vector<std::string> byChannel);
  // A new list, counted whole: the name and channel number at each position (the channels are
  // cut or padded with 0 to the names' length). The positions of the channels follow.
  void Replace(std::vector<std::string> alphas, std::vector<int16_t> channels);
  // One more position at the end, counted: the off source.
  void Append(std::string alpha, int16_t channel);
  // The channels are no longer vouched for: `text` alone is listed, on the channel the first
  // position had. The count and the names in channel order stay.
  void ShowOnly(std::string text);
  // No channels at all: `text` alone is listed, on no channel.
  void Clear(std::string text);
  void SetCount(int count) { count_ = count; }
  void ReplaceAlphasByChannel(std::vector<std::string> names) { byChannel_ = std::move(names); }

 private:
  std::vector<std::string> alphas_;
  std::vector<int16_t> channelAt_;
  std::vector<int16_t> positionOf_;
  std::vector<std::string> byChannel_;
  int count_ = 0;
};

}  // namespace dazi
