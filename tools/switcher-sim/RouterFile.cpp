#include "RouterFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

namespace sim {
namespace {

struct Statement {
  int line = 0;
  std::string keyword;
  std::string_view rest;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view NextToken(std::string_view& rest) {
  rest = Trim(rest);
  size_t end = 0;
  while (end < rest.size() && !IsBlank(rest[end])) ++end;
  const std::string_view token = rest.substr(0, end);
  rest.remove_prefix(end);
  return token;
}

bool ParseNumber(std::string_view token, int min, int max, int& value) {
  if (token.empty() || token.size() > 9) return false;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  return error == std::errc() && end == token.data() + token.size() && value >= min && value <= max;
}

std::string Describe(int line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

class Parser {
 public:
  Parser(Router& router, AlphaStyle style) : router_(router), style_(style) {}

  std::string Run(const std::string& text) {
    if (text.size() > kMaxRouterFileBytes) return "file too large";
    Split(text);
    // Sizes first, so channel lines may come in any order.
    for (const auto& s : statements_) {
      if (s.keyword == "type" || s.keyword == "inputs" || s.keyword == "outputs") {
        if (auto error = Size(s); !error.empty()) return Describe(s.line, error);
      }
    }
    FillDefaults(router_, style_);
    std::fill(router_.routes.begin(), router_.routes.end(), kUnrouted);
    for (const auto& s : statements_) {
      if (auto error = Channel(s); !error.empty()) return Describe(s.line, error);
    }
    NormaliseInhibits(router_);
    return {};
  }

 private:
  void Split(const std::string& text) {
    std::string_view all(text);
    int line = 0;
    while (!all.empty()) {
      ++line;
      const size_t newline = all.find('\n');
      std::string_view content = all.substr(0, newline);
      all.remove_prefix(newline == std::string_view::npos ? all.size() : newline + 1);
      content = content.substr(0, content.find('#'));
      Statement s;
      s.line = line;
      s.rest = content;
      const std::string_view keyword = NextToken(s.rest);
      if (keyword.empty()) continue;
      s.keyword.assign(keyword);
      for (auto& c : s.keyword) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      statements_.push_back(s);
    }
  }

  std::string Size(const Statement& s) {
    std::string_view rest = s.rest;
    int value = 0;
    const bool isType = s.keyword == "type";
    if (!ParseNumber(NextToken(rest), isType ? 0 : 1, kMaxChannels, value)) {
      return isType ? "type must be 0..16383" : s.keyword + " must be 1..16383";
    }
    if (!Trim(rest).empty()) return "unexpected text after " + s.keyword;
    (isType                  ? router_.type
     : s.keyword == "inputs" ? router_.inputCount
                             : router_.outputCount) = value;
    return {};
  }

  std::string Channel(const Statement& s) {
    std::string_view rest = s.rest;
    const std::string& k = s.keyword;
    if (k == "type" || k == "inputs" || k == "outputs") return {};
    if (k == "input" || k == "output") {
      const bool isInput = k == "input";
      int channel = 0;
      if (!ParseNumber(NextToken(rest), 0, (isInput ? router_.inputCount : router_.outputCount) - 1,
                       channel)) {
        return k + " channel out of range";
      }
      std::string name;
      if (auto error = Name(rest, name); !error.empty()) return error;
      (isInput ? router_.inputNames : router_.outputNames).at(channel) = name;
      return {};
    }
    if (k == "route" || k == "set") {
      int output = 0, input = 0;
      if (auto error = Route(rest, output, input); !error.empty()) return error;
      if (k == "route") {
        router_.routes.at(output) = input;
        router_.tiedTo.at(output) = kNotTied;
        return {};
      }
      if (router_.salvos.empty()) return "set before any salvo";
      auto& routes = router_.salvos.back().routes;
      if (routes.size() >= static_cast<size_t>(kMaxChannels)) return "too many routes in salvo";
      routes.push_back({output, input});
      return {};
    }
    if (k == "tie") {
      int output = 0, other = 0;
      if (!ParseNumber(NextToken(rest), 0, router_.outputCount - 1, output) ||
          !ParseNumber(NextToken(rest), 0, router_.outputCount - 1, other)) {
        return "tie needs two output channels in range";
      }
      if (output == other) return "an output cannot be tied to itself";
      if (!Trim(rest).empty()) return "unexpected text after tie";
      router_.tiedTo.at(output) = other;
      return {};
    }
    if (k == "inhibit") return Inhibit(rest);
    if (k == "salvo") {
      Salvo salvo;
      if (!ParseNumber(NextToken(rest), 0, kMaxChannels, salvo.key)) return "salvo key 0..16383";
      if (auto error = Name(rest, salvo.name); !error.empty()) return error;
      if (router_.salvos.size() >= static_cast<size_t>(kMaxChannels)) return "too many salvos";
      router_.salvos.push_back(std::move(salvo));
      return {};
    }
    return "unknown keyword '" + k + "'";
  }

  static std::string Name(std::string_view rest, std::string& name) {
    const std::string_view text = Trim(rest);
    if (text.empty()) return "missing name";
    if (text.size() > kMaxAlphaLength) return "name longer than 32 characters";
    for (char c : text) {
      if (c < 32 || c > 126) return "name must be printable ASCII";
    }
    name.assign(text);
    return {};
  }

  std::string Route(std::string_view rest, int& output, int& input) {
    if (!ParseNumber(NextToken(rest), 0, router_.outputCount - 1, output)) {
      return "output channel out of range";
    }
    const std::string_view source = NextToken(rest);
    if (source == "off") {
      if (!router_.HasOffSource()) return "'off' needs switcher type 1301";
      input = router_.OffInput();
    } else if (!ParseNumber(source, 0, router_.inputCount - 1, input)) {
      return "input channel out of range";
    }
    if (!Trim(rest).empty()) return "unexpected text after route";
    return {};
  }

  std::string Inhibit(std::string_view rest) {
    int output = 0;
    if (!ParseNumber(NextToken(rest), 0, router_.outputCount - 1, output)) {
      return "output channel out of range";
    }
    auto& ranges = router_.inhibits.at(output);
    for (std::string_view token = NextToken(rest); !token.empty(); token = NextToken(rest)) {
      const size_t dash = token.find('-');
      int first = 0, last = 0;
      if (!ParseNumber(token.substr(0, dash), 0, router_.inputCount - 1, first)) {
        return "inhibited input out of range";
      }
      last = first;
      if (dash != std::string_view::npos &&
          !ParseNumber(token.substr(dash + 1), first, router_.inputCount - 1, last)) {
        return "bad input range";
      }
      ranges.push_back({first, last});
    }
    return {};
  }

  Router& router_;
  AlphaStyle style_;
  std::vector<Statement> statements_;
};

}  // namespace

std::string ParseRouterText(const std::string& text, AlphaStyle style, Router& router) {
  return Parser(router, style).Run(text);
}

std::string LoadRouterFile(const std::string& path, AlphaStyle style, Router& router) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return path + ": cannot open";
  std::string text;
  char chunk[65536];
  while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
    text.append(chunk, static_cast<size_t>(file.gcount()));
    if (text.size() > kMaxRouterFileBytes) return path + ": file too large";
  }
  const std::string error = ParseRouterText(text, style, router);
  return error.empty() ? error : path + ": " + error;
}

}  // namespace sim
