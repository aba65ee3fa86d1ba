// Arbitrary bytes as Shift-JIS text through the helpers that walk it by character: every
// step lands on a character's first byte, and none goes past the end.
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "common/text.h"
#include "settings/ini_file.h"
#include "settings/title_format.h"
#include "sources/extraction.h"
#include "window/layout.h"
#include "window/paint_small.h"

using namespace varimo;

namespace {

constexpr std::string_view kEllipsis = "...";

void Check(bool condition) {
  if (!condition) std::abort();
}

// Where the characters start, the end included, by the system's rule (lenient) or with a
// valid second byte required (strict).
std::set<size_t> Starts(std::string_view text, bool strict) {
  std::set<size_t> starts;
  size_t i = 0;
  while (i < text.size()) {
    starts.insert(i);
    const size_t step = ShiftJisCharSize(text, i);
    Check(step == 1 || step == 2);
    Check(i + step <= text.size());
    const bool pair =
        step == 2 && (!strict || IsShiftJisTrailByte(static_cast<uint8_t>(text[i + 1])));
    i += pair ? 2 : 1;
  }
  starts.insert(text.size());
  return starts;
}

void CheckSeparatorSearch(std::string_view text, const std::set<size_t>& strict) {
  const size_t at = FindLastSeparator(text, "\\/.:");
  if (at != std::string_view::npos) {
    Check(at < text.size() && strict.count(at) == 1);
    Check(std::string_view("\\/.:").find(text[at]) != std::string_view::npos);
  }
  const std::string_view bare = BareFileName(text);
  const size_t begin = static_cast<size_t>(bare.data() - text.data());
  Check(begin <= text.size() && begin + bare.size() <= text.size());
  Check(strict.count(begin) == 1 && strict.count(begin + bare.size()) == 1);
  const std::string output = ExtractOutputName(std::string(text));
  Check(output.size() <= text.size() && strict.count(text.size() - output.size()) == 1);
}

void CheckShortening(std::string_view text, const std::set<size_t>& lenient, int limit) {
  // Three pixels a byte: a line that does not fit is cut at a character and ends in the
  // ellipsis.
  const TTextMeasure measure = [](std::string_view s) { return static_cast<int>(s.size()) * 3; };
  const std::string shortened = ShortenLine(text, limit, 3, measure);
  if (shortened == text) return;
  const size_t kept = shortened.size() - kEllipsis.size();
  Check(shortened.compare(kept, std::string::npos, kEllipsis) == 0);
  Check(lenient.count(kept) == 1 && text.compare(0, kept, shortened, 0, kept) == 0);
}

void CheckSmallLine(std::string_view text, const std::set<size_t>& lenient, int width) {
  // Text pieces and real glyphs take the line's bytes in order; blank cells and the ellipsis
  // take none.
  size_t taken = 0;
  for (const TSmallPiece& piece : PrepareSmallLine(text, width, 2)) {
    if (!piece.IsGlyph) {
      Check(lenient.count(taken) == 1 && text.compare(taken, piece.Text.size(), piece.Text) == 0);
      taken += piece.Text.size();
    } else if (!(piece.Glyph.Cell == kGlyphBlank) && !(piece.Glyph.Cell == kGlyphEllipsis)) {
      ++taken;
    }
    Check(taken <= text.size());
  }
  Check(lenient.count(taken) == 1);
}

void CheckValueCut(std::string_view text) {
  // Past the read limit a value is cut at a character, never inside one.
  const std::string value = "x" + std::string(text) + std::string(kMaxIniValueBytes, 'y');
  const std::string cut = DecodeIniValue(value);
  Check(cut.size() <= kMaxIniValueBytes && cut.size() + 1 >= kMaxIniValueBytes);
  Check(Starts(value, false).count(cut.size()) == 1 && value.compare(0, cut.size(), cut) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::set<size_t> lenient = Starts(text, false);
  const std::set<size_t> strict = Starts(text, true);
  CheckSeparatorSearch(text, strict);
  const int limit = size > 0 ? data[0] : 0;
  CheckShortening(text, lenient, limit);
  CheckSmallLine(text, lenient, 40 + limit * 2);
  if (size <= 4096) CheckValueCut(text);
  return 0;
}
