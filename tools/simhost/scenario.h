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

}  // namespace varimo
