// The simulated switcher: its channels and their alphas, the route of every output, the inhibit
// table and the stored salvos. Plain data plus the rules for changing a route.
#pragma once

#include <string>
#include <vector>

namespace sim {

inline constexpr int kMaxChannels = 16383;   // channel numbers travel as 14-bit numbers
inline constexpr int kOffSourceType = 1301;  // switcher type that has an "off" source
inline constexpr int kUnrouted = -1;         // an output without any source
inline constexpr int kNotTied = -1;

// Inputs first..last, both included.
struct InputRange {
  int first = 0;
  int last = 0;
};

struct SalvoRoute {
  int output = 0;
  int input = 0;  // InputCount for the off source
};

struct Salvo {
  std::string name;
  int key = 0;  // 0: no key needed
  std::vector<SalvoRoute> routes;
};

enum class AlphaStyle { kPlain, kStudio };

struct Router {
  int type = 0;
  int inputCount = 16;
  int outputCount = 16;
  std::vector<std::string> inputNames;   // by input channel
  std::vector<std::string> outputNames;  // by output channel
  std::vector<int> routes;               // by output: input channel, off source or kUnrouted
  std::vector<int> tiedTo;               // by output: another output channel or kNotTied
  // By output: inhibited inputs as ranges, ascending and apart once normalised.
  std::vector<std::vector<InputRange>> inhibits;
  std::vector<Salvo> salvos;  // by salvo number

  bool HasOffSource() const { return type == kOffSourceType; }
  // The channel the off source is recorded and reported as: one past the real inputs.
  int OffInput() const { return inputCount; }
  bool IsInhibited(int output, int input) const;
  // Input channel, or the off source where the switcher has one.
  bool IsSource(int input) const;
  bool IsOutput(int output) const { return output >= 0 && output < outputCount; }
  // The source an output shows where a tie cannot be carried: its own route, or the route of the
  // output it follows (kUnrouted when that one follows another in turn).
  int ShownSource(int output) const;
};

// A router of the given size with every output routed to input (output mod inputs), no
// inhibits and no salvos. Counts must already be within 1..kMaxChannels.
Router MakeGeneratedRouter(int inputCount, int outputCount, int type, AlphaStyle style);

// Resizes the per-channel tables to the counts, naming unnamed channels in the given style.
void FillDefaults(Router& router, AlphaStyle style);

// Why a route cannot be made, or empty when it can.
std::string CheckRoute(const Router& router, int output, int input);

// Sorts every output's inhibit ranges and merges those that overlap or touch.
void NormaliseInhibits(Router& router);

}  // namespace sim
