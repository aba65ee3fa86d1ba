#pragma once
// The bytes of an INI file, read and edited by the platform's private-profile rules: section
// and key names match without regard to case, only the first section of a name is looked in,
// a write changes one line or adds one, and every other byte of the file stays as it was.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varimo {

class TIniText {
 public:
  TIniText() = default;
  explicit TIniText(std::string bytes);

  const std::string& Bytes() const { return bytes_; }

  // The value of key in section as stored, blanks at both ends dropped; nothing when the
  // section or key is missing.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  // Replaces the key's value in its line, or adds a key line at the end of the section, or
  // adds the section with the key at the end of the file. Line breaks in the value are dropped,
  // as a line cannot hold them. True when the bytes changed.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every section of that name: its section line and all lines up to the next section.
  bool EraseSection(std::string_view section);
  // Removes the key's line from the first section of that name. True when the bytes changed.
  bool EraseKey(std::string_view section, std::string_view key);

 private:
  enum class LineKind { kOther, kSection, kKey };
  struct TLine {
    size_t Begin = 0;  // first byte of the line
    size_t End = 0;    // one past its last byte before the line break
    size_t Next = 0;   // first byte of the following line
    LineKind Kind = LineKind::kOther;
    std::string Name;       // section or key name, folded for matching
    size_t ValueBegin = 0;  // key lines: the value's first byte after the blanks that lead it
  };

  void Parse();
  // Index of the line of the first section of that name, or npos.
  size_t FindSection(std::string_view section) const;
  std::string_view LineBreak() const;

  std::string bytes_;
  std::vector<TLine> lines_;
  std::map<std::string, size_t> sections_;                 // folded name -> first section line
  std::map<std::pair<size_t, std::string>, size_t> keys_;  // (section line, folded key) -> line
};

}  // namespace varimo
