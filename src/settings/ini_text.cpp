#include "settings/ini_text.h"

#include <algorithm>

#include "common/text.h"

namespace varimo {
namespace {

constexpr size_t kNone = std::string::npos;

bool IsBlankByte(char c) {
  return static_cast<uint8_t>(c) <= 0x20;
}
bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// Names compare without regard to ASCII case; the second byte of a Shift-JIS character keeps
// its value, as 'A' there and 'a' there are two different characters.
std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (size_t i = 0; i < folded.size(); i += ShiftJisCharSize(folded, i)) {
    const uint8_t b = static_cast<uint8_t>(folded[i]);
    if (ShiftJisCharSize(folded, i) == 1 && b >= 'A' && b <= 'Z') {
      folded[i] = static_cast<char>(b - 'A' + 'a');
    }
  }
  return folded;
}

// ']' is also a valid second byte of a Shift-JIS character, so it is looked for by character.
size_t FindClosingBracket(std::string_view text) {
  for (size_t i = 0; i < text.size(); i += ShiftJisCharSize(text, i)) {
    if (ShiftJisCharSize(text, i) == 1 && text[i] == ']') return i;
  }
  return kNone;
}

std::string WithoutLineBreaks(std::string_view text) {
  std::string kept(text);
  kept.erase(std::remove_if(kept.begin(), kept.end(), IsLineBreak), kept.end());
  return kept;
}

}  // namespace

TIniText::TIniText(std::string bytes) : bytes_(std::move(bytes)) {
  Parse();
}

void TIniText::Parse() {
  lines_.clear();
  sections_.clear();
  keys_.clear();
  const std::string_view all(bytes_);
  size_t currentSection = kNone;  // first section of its name that the following keys are in
  for (size_t pos = 0; pos < all.size();) {
    TLine line;
    line.Begin = pos;
    line.End = pos;
    while (line.End < all.size() && !IsLineBreak(all[line.End])) ++line.End;
    line.Next = line.End;
    if (line.Next < all.size()) {
      bool crlf =
          all[line.Next] == '\r' && line.Next + 1 < all.size() && all[line.Next + 1] == '\n';
      line.Next += crlf ? 2 : 1;
    }
    size_t start = line.Begin;
    while (start < line.End && IsBlankByte(all[start])) ++start;
    std::string_view content = all.substr(start, line.End - start);
    size_t close =
        content.empty() || content[0] != '[' ? kNone : FindClosingBracket(content.substr(1));
    size_t equals = content.find('=');
    const size_t index = lines_.size();
    if (close != kNone) {
      line.Kind = LineKind::kSection;
      line.Name = FoldName(TrimBlanks(content.substr(1, close)));
      currentSection = sections_.emplace(line.Name, index).second ? index : kNone;
    } else if (equals != kNone) {
      line.Kind = LineKind::kKey;
      line.Name = FoldName(TrimBlanks(content.substr(0, equals)));
      line.ValueBegin = start + equals + 1;
      while (line.ValueBegin < line.End && IsBlankByte(all[line.ValueBegin])) ++line.ValueBegin;
      if (currentSection != kNone) keys_.emplace(std::make_pair(currentSection, line.Name), index);
    }
    lines_.push_back(std::move(line));
    pos = lines_.back().Next;
  }
}

size_t TIniText::FindSection(std::string_view section) const {
  auto it = sections_.find(FoldName(TrimBlanks(section)));
  return it == sections_.end() ? kNone : it->second;
}

std::optional<std::string_view> TIniText::Find(std::string_view section,
                                               std::string_view key) const {
  size_t sectionLine = FindSection(section);
  if (sectionLine == kNone) return std::nullopt;
  auto it = keys_.find(std::make_pair(sectionLine, FoldName(TrimBlanks(key))));
  if (it == keys_.end()) return std::nullopt;
  const TLine& line = lines_[it->second];
  return TrimBlanks(std::string_view(bytes_).substr(line.ValueBegin, line.End - line.ValueBegin));
}

std::string_view TIniText::LineBreak() const {
  size_t first = bytes_.find_first_of("\r\n");
  if (first == kNone) return "\r\n";
  if (bytes_[first] == '\n') return "\n";
  return first + 1 < bytes_.size() && bytes_[first + 1] == '\n' ? "\r\n" : "\r";
}

bool TIniText::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string cleanSection = WithoutLineBreaks(section);
  const std::string cleanKey = WithoutLineBreaks(key);
  const std::string cleanValue = WithoutLineBreaks(value);
  const std::string lineBreak(LineBreak());
  const std::string keyLine = cleanKey + "=" + cleanValue + lineBreak;

  size_t sectionLine = FindSection(cleanSection);
  if (sectionLine == kNone) {
    std::string added;
    if (!bytes_.empty() && !IsLineBreak(bytes_.back())) added += lineBreak;
    added += "[" + cleanSection + "]" + lineBreak + keyLine;
    bytes_ += added;
  } else if (auto it = keys_.find(std::make_pair(sectionLine, FoldName(TrimBlanks(cleanKey))));
             it != keys_.end()) {
    const TLine& line = lines_[it->second];
    if (std::string_view(bytes_).substr(line.ValueBegin, line.End - line.ValueBegin) == cleanValue)
      return false;
    bytes_.replace(line.ValueBegin, line.End - line.ValueBegin, cleanValue);
  } else {
    // After the section's last line that holds anything, so the blank lines that set it apart
    // from the next section stay after it.
    size_t last = sectionLine;
    for (size_t i = sectionLine + 1; i < lines_.size() && lines_[i].Kind != LineKind::kSection;
         ++i) {
      std::string_view content(bytes_.data() + lines_[i].Begin, lines_[i].End - lines_[i].Begin);
      if (!TrimBlanks(content).empty()) last = i;
    }
    const TLine& after = lines_[last];
    bytes_.insert(after.Next, after.Next == after.End ? lineBreak + keyLine : keyLine);
  }
  Parse();
  return true;
}

bool TIniText::EraseSection(std::string_view section) {
  const std::string name = FoldName(TrimBlanks(section));
  bool erased = false;
  for (size_t i = lines_.size(); i-- > 0;) {
    if (lines_[i].Kind != LineKind::kSection || lines_[i].Name != name) continue;
    size_t next = i + 1;
    while (next < lines_.size() && lines_[next].Kind != LineKind::kSection) ++next;
    size_t end = next < lines_.size() ? lines_[next].Begin : bytes_.size();
    bytes_.erase(lines_[i].Begin, end - lines_[i].Begin);
    erased = true;
  }
  if (erased) Parse();
  return erased;
}

bool TIniText::EraseKey(std::string_view section, std::string_view key) {
  size_t sectionLine = FindSection(section);
  if (sectionLine == kNone) return false;
  auto it = keys_.find(std::make_pair(sectionLine, FoldName(TrimBlanks(key))));
  if (it == keys_.end()) return false;
  const TLine& line = lines_[it->second];
  bytes_.erase(line.Begin, line.Next - line.Begin);
  Parse();
  return true;
}

}  // namespace varimo
