#include "SimMessages.h"

#include <algorithm>
#include <stdexcept>

namespace sim {
namespace {

constexpr int kTieMarker = 10;
constexpr int kSourceMarker = 0;
constexpr int kLongKind = 10;
constexpr int kMarkedFlag = 64;
constexpr size_t kBlockHeaderBytes = 8;  // command, form, M, O, checksum, EOM

int FormByte(MapForm form) {
  switch (form) {
    case MapForm::kShort:
      return 0;
    case MapForm::kLong:
      return kLongKind;
    case MapForm::kMarkedLong:
      return kMarkedFlag | kLongKind;
  }
  return 0;
}

// Messages of consecutive output blocks, a new message whenever the next block would push the
// current one past maxMessageBytes. Every message holds at least one block.
template <class AppendBlock>
std::vector<Bytes> EncodeByOutput(int command, int firstByte, int outputCount,
                                  size_t maxMessageBytes, AppendBlock appendBlock) {
  std::vector<Bytes> messages;
  Bytes body;
  int first = 0;
  int count = 0;
  auto flush = [&] {
    MessageBuilder message(command);
    message.Reserve(body.size() + 5);
    message.AddByte(firstByte);
    message.AddNumber(count);
    message.AddNumber(first);
    message.AddBody(body);
    messages.push_back(message.Finish());
    body.clear();
    first += count;
    count = 0;
  };
  Bytes block;
  for (int o = 0; o < outputCount; ++o) {
    block.clear();
    appendBlock(block, o);
    if (count > 0 && kBlockHeaderBytes + body.size() + block.size() > maxMessageBytes) flush();
    body.insert(body.end(), block.begin(), block.end());
    ++count;
  }
  if (count > 0 || messages.empty()) flush();
  return messages;
}

void AppendEntry(Bytes& block, MapForm form, int marker, int wordA) {
  if (form == MapForm::kMarkedLong) block.push_back(static_cast<uint8_t>(marker));
  AppendNumber(block, wordA);
  AppendNumber(block, 0);                               // word B
  if (form != MapForm::kShort) AppendNumber(block, 0);  // word C
}

}  // namespace

Bytes EncodeAlphaTable(int kind, const std::vector<std::string>& alphas) {
  size_t width = 0;
  for (const auto& alpha : alphas) width = std::max(width, alpha.size());
  MessageBuilder message(252);
  message.Reserve(7 + (width + 2) * alphas.size());
  message.AddByte(kind);
  message.AddByte(static_cast<int>(width));
  message.AddNumber(static_cast<int>(alphas.size()));
  message.AddNumber(0);
  for (size_t i = 0; i < alphas.size(); ++i) {
    message.AddText(alphas[i], width);
    message.AddNumber(static_cast<int>(i));
  }
  return message.Finish();
}

Bytes EncodeSwitcherType(int type) {
  MessageBuilder message(229);
  message.AddByte(1);
  message.AddNumber(0);
  message.AddNumber(type);
  message.AddNumber(0);
  return message.Finish();
}

std::vector<Bytes> EncodeCrosspointMap(const Router& router, MapForm form, size_t maxMessageBytes) {
  return EncodeByOutput(246, FormByte(form), router.outputCount, maxMessageBytes,
                        [&](Bytes& block, int o) {
                          const int tie = router.tiedTo.at(o);
                          const bool asTie = form == MapForm::kMarkedLong && tie != kNotTied;
                          const int source = asTie ? tie : router.ShownSource(o);
                          const bool hasEntry = source != kUnrouted;
                          AppendNumber(block, hasEntry ? 1 : 0);
                          block.push_back(0);  // route byte
                          if (hasEntry) {
                            AppendEntry(block, form, asTie ? kTieMarker : kSourceMarker, source);
                          }
                        });
}

int AppendRunPairs(Bytes& body, int flag, int length) {
  int pairs = 0;
  const int flagBit = flag != 0 ? 64 : 0;
  // A pair holds high x 128 plus only 0..63 of the remainder; what is left takes more pairs.
  while (length > 0) {
    const int high = std::min(length / 128, 127);
    const int low = std::min(length - high * 128, 63);
    body.push_back(static_cast<uint8_t>(flagBit | low));
    body.push_back(static_cast<uint8_t>(high));
    ++pairs;
    length -= high * 128 + low;
  }
  return pairs;
}

std::vector<Bytes> EncodeInhibitMap(const Router& router, size_t maxMessageBytes) {
  const int inputs = router.inputCount;
  return EncodeByOutput(248, 0, router.outputCount, maxMessageBytes, [&](Bytes& block, int o) {
    block.resize(2);  // run count, filled in below
    int pairs = 0;
    int next = 0;  // first input not yet covered
    for (const auto& range : router.inhibits.at(o)) {
      // Normalised ranges are ascending and apart; anything else is skipped, never looped on.
      if (range.first < next || range.last < range.first || range.last >= inputs) continue;
      pairs += AppendRunPairs(block, 0, range.first - next);
      pairs += AppendRunPairs(block, 1, range.last + 1 - range.first);
      next = range.last + 1;
    }
    pairs += AppendRunPairs(block, 0, inputs - next);
    block[0] = static_cast<uint8_t>(pairs & 127);
    block[1] = static_cast<uint8_t>(pairs >> 7);
  });
}

Bytes EncodeSalvoEvents(const Router& router) {
  MessageBuilder message(235);
  message.AddByte(0);
  message.AddNumber(static_cast<int>(router.salvos.size()));
  message.AddNumber(0);
  for (const auto& salvo : router.salvos) {
    message.AddNumber(salvo.key);
    message.AddNumber(static_cast<int>(salvo.routes.size()));
    // Each event: the crosspoint change it makes, padded to 13 bytes.
    for (const auto& route : salvo.routes) {
      const bool off = router.HasOffSource() && route.input == router.OffInput();
      message.AddNumber(off ? kControlOff : kControlRoute);
      message.AddNumber(route.input);
      message.AddNumber(route.output);
      for (int pad = 6; pad < kSalvoEventBytes; ++pad) message.AddByte(0);
    }
  }
  return message.Finish();
}

Bytes EncodeTakeReport(int control, int input, int output) {
  MessageBuilder message(254);
  message.AddNumber(control);
  message.AddNumber(input);
  message.AddNumber(output);
  return message.Finish();
}

Bytes EncodePasswordRequest() {
  MessageBuilder message(242);
  message.AddByte(2);
  for (int i = 2; i <= 10; ++i) message.AddByte(0);
  return message.Finish();
}

Bytes EncodeQuery() {
  MessageBuilder message(129);
  message.AddByte(kQueryCode);
  return message.Finish();
}

}  // namespace sim
