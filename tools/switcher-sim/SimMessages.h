// Every message the simulated server sends, byte for byte.
#pragma once

#include <string>
#include <vector>

#include "MessageBuilder.h"
#include "Router.h"

namespace sim {

enum class MapForm { kShort, kLong, kMarkedLong };

inline constexpr int kKindInputs = 10;
inline constexpr int kKindOutputs = 20;
inline constexpr int kKindSalvos = 50;
inline constexpr int kControlRoute = 1028;
inline constexpr int kControlOff = 1024;
inline constexpr int kQueryCode = 100;
inline constexpr int kSalvoExecuteCode = 100;
inline constexpr int kSalvoEventBytes = 13;

// 252: kind, alpha width, record count, first record 0, then (alpha, number) records where the
// number is the record's index (channel or salvo number).
Bytes EncodeAlphaTable(int kind, const std::vector<std::string>& alphas);
// 229: 1, 0, 0, type, 0, 0.
Bytes EncodeSwitcherType(int type);
// 246 messages covering every output, each no longer than maxMessageBytes unless one output's
// block alone is longer. One entry per routed or tied output, none for an unrouted one.
std::vector<Bytes> EncodeCrosspointMap(const Router& router, MapForm form, size_t maxMessageBytes);
// 248 messages covering every output, runs over inputs 0..inputCount-1, split as above.
std::vector<Bytes> EncodeInhibitMap(const Router& router, size_t maxMessageBytes);
// 235: salvo count and, per salvo, its key and one 13-byte event per route it sets.
Bytes EncodeSalvoEvents(const Router& router);
// 254: control word, input, output (the take report; same layout as a crosspoint change).
Bytes EncodeTakeReport(int control, int input, int output);
// 242 asking the panel for its password: mask byte 1 = 2, the rest 0.
Bytes EncodePasswordRequest();
// 129: query code 100.
Bytes EncodeQuery();

// Appends flag-and-run pairs covering `length` inputs with one flag; returns how many pairs.
int AppendRunPairs(Bytes& body, int flag, int length);

}  // namespace sim
