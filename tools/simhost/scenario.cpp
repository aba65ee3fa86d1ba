#include "scenario.h"

#include <cstdlib>

namespace varimo {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// Splits one line; false on an unterminated quote.
bool SplitWords(const std::string& line, std::vector<std::string>& words) {
  size_t i = 0;
  while (i < line.size()) {
    if (IsBlank(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    if (line[i] == '"') {
      size_t close = line.find('"', i + 1);
      if (close == std::string::npos) return false;
      words.push_back(line.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    size_t end = i;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    words.push_back(line.substr(i, end - i));
    i = end;
  }
  return true;
}

}  // namespace

bool ParseScenario(const std::string& text, std::vector<TScenarioLine>& lines, std::string& error) {
  lines.clear();
  size_t start = 0;
  int number = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ++number;
    TScenarioLine line;
    line.Number = number;
    if (!SplitWords(text.substr(start, end - start), line.Words)) {
      error = "line " + std::to_string(number) + ": unterminated quote";
      return false;
    }
    if (!line.Words.empty()) lines.push_back(std::move(line));
    start = end + 1;
  }
  return true;
}

std::optional<int64_t> ParseInteger(const std::string& word) {
  size_t digits = (!word.empty() && (word[0] == '-' || word[0] == '+')) ? 1 : 0;
  // 18 digits keep strtoll far from overflow.
  if (word.size() == digits || word.size() - digits > 18) return std::nullopt;
  for (size_t i = digits; i < word.size(); ++i) {
    if (word[i] < '0' || word[i] > '9') return std::nullopt;
  }
  return std::strtoll(word.c_str(), nullptr, 10);
}

std::optional<bool> ParseYesNo(const std::string& word) {
  if (word == "yes" || word == "on") return true;
  if (word == "no" || word == "off") return false;
  return std::nullopt;
}

std::optional<uint32_t> ParseRgb(const std::string& word) {
  std::string digits = (!word.empty() && word[0] == '#') ? word.substr(1) : word;
  if (digits.size() != 6) return std::nullopt;
  uint32_t value = 0;
  for (char c : digits) {
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return value;
}

std::optional<TCountRange> ParseCountRange(const std::string& word, int64_t total) {
  if (word == "none") return TCountRange{0, 0};
  if (word == "all") return TCountRange{total, total};
  size_t dots = word.find("..");
  if (dots == std::string::npos) {
    std::optional<int64_t> n = ParseInteger(word);
    if (!n || *n < 0) return std::nullopt;
    return TCountRange{*n, *n};
  }
  std::optional<int64_t> low = ParseInteger(word.substr(0, dots));
  std::string upper = word.substr(dots + 2);
  std::optional<int64_t> high =
      upper.empty() ? std::optional<int64_t>(INT64_MAX) : ParseInteger(upper);
  if (!low || !high || *low < 0 || *high < *low) return std::nullopt;
  return TCountRange{*low, *high};
}

}  // namespace varimo
