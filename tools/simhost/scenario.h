#pragma once
// Scenario scripts: one command per line, words separated by blanks, a word with blanks
// in double quotes, "#" at the start of a word comments out the rest of the line.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varimo {

struct TScenarioLine {
  int Number = 0;  // 1-based line number in the file, for messages
  std::vector<std::string> Words;
};

// Splits a script into its non-empty lines. An unterminated quote is an error naming
// the line; the text is bytes (Shift-JIS file names pass through untouched).
bool ParseScenario(const std::string& text, std::vector<TScenarioLine>& lines, std::string& error);

// A whole decimal number with an optional sign, or nothing.
std::optional<int64_t> ParseInteger(const std::string& word);

// "yes"/"no" (also "on"/"off"), or nothing.
std::optional<bool> ParseYesNo(const std::string& word);

// "RRGGBB" (optionally with a leading "#") as 0xRRGGBB, or nothing.
std::optional<uint32_t> ParseRgb(const std::string& word);

// A count that an expectation accepts, both ends included.
struct TCountRange {
  int64_t Min = 0;
  int64_t Max = 0;
  bool Contains(int64_t n) const { return n >= Min && n <= Max; }
};

// "N", "MIN..MAX", "MIN.." (no upper end), "none" (0) or "all" (total), or nothing.
std::optional<TCountRange> ParseCountRange(const std::string& word, int64_t total);

}  // namespace varimo
