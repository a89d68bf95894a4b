#include "model/ChannelTable.h"

#include <algorithm>

namespace dazi {

int ChannelTable::FirstPositionOf(int channel) const {
  const auto begin = channelAt_.begin();
  const auto end = begin + std::clamp<std::ptrdiff_t>(count_, 0, std::ssize(channelAt_));
  const auto found = std::find(begin, end, channel);
  return found == end ? -1 : static_cast<int>(found - begin);
}

void ChannelTable::Start(int count, std::string first, std::vector<std::string> byChannel) {
  alphas_.assign(static_cast<std::size_t>(count), "");
  if (!alphas_.empty()) alphas_.front() = std::move(first);
  channelAt_.assign(static_cast<std::size_t>(count), 0);
  positionOf_.clear();
  byChannel_ = std::move(byChannel);
  count_ = count;
}

void ChannelTable::Replace(std::vector<std::string> alphas, std::vector<int16_t> channels) {
  alphas_ = std::move(alphas);
  channelAt_ = std::move(channels);
  channelAt_.resize(alphas_.size(), 0);
  count_ = size();
  positionOf_.assign(alphas_.size(), 0);
  for (int p = 0; p < count_; ++p) {
    const int channel = channelAt_[static_cast<std::size_t>(p)];
    if (channel >= 0 && channel < count_)
      positionOf_[static_cast<std::size_t>(channel)] = static_cast<int16_t>(p);
  }
}

void ChannelTable::Append(std::string alpha, int16_t channel) {
  alphas_.push_back(std::move(alpha));
  channelAt_.push_back(channel);
  count_ = size();
  positionOf_.resize(alphas_.size(), 0);
  if (channel >= 0 && channel < count_)
    positionOf_[static_cast<std::size_t>(channel)] = static_cast<int16_t>(count_ - 1);
}

void ChannelTable::ShowOnly(std::string text) {
  alphas_.assign(1, std::move(text));
  if (channelAt_.size() > 1) channelAt_.resize(1);
}

void ChannelTable::Clear(std::string text) {
  alphas_.assign(1, std::move(text));
  channelAt_.clear();
  positionOf_.clear();
  count_ = 0;
}

}  // namespace dazi
