// Arbitrary bytes as a tag, as the text of a cue frame inside a tag, and as a cue time.
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "sources/cue_reader.h"

namespace {

// A version 3 tag whose only frame is a cue frame holding the text, so that the sheet
// parser sees most inputs rather than the frame search alone.
std::vector<uint8_t> WrapInCueTag(std::string_view text) {
  const std::string prefix("\0text\0mp3cue CueSheet\0", 22);
  const size_t frameSize = prefix.size() + text.size();
  const size_t bodySize = 10 + frameSize;
  std::vector<uint8_t> tag = {'I',
                              'D',
                              '3',
                              3,
                              0,
                              0,
                              static_cast<uint8_t>((bodySize >> 21) & 0x7F),
                              static_cast<uint8_t>((bodySize >> 14) & 0x7F),
                              static_cast<uint8_t>((bodySize >> 7) & 0x7F),
                              static_cast<uint8_t>(bodySize & 0x7F),
                              'G',
                              'E',
                              'O',
                              'B',
                              static_cast<uint8_t>(frameSize >> 24),
                              static_cast<uint8_t>(frameSize >> 16),
                              static_cast<uint8_t>(frameSize >> 8),
                              static_cast<uint8_t>(frameSize),
                              0,
                              0};
  tag.insert(tag.end(), prefix.begin(), prefix.end());
  tag.insert(tag.end(), text.begin(), text.end());
  return tag;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace varimo;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  TTrackList tracks;
  const int32_t raw = ReadEmbeddedCue(tracks, data, size);
  Check(raw >= kCueUnreadable && (raw >= 0 || tracks.empty()));

  tracks.clear();
  const std::vector<uint8_t> tag = WrapInCueTag(text);
  const int32_t wrapped = ReadEmbeddedCue(tracks, tag.data(), tag.size());
  Check(wrapped >= 0 || (wrapped == kCueUnreadable && tracks.empty()));

  const std::optional<int32_t> ms = ParseCueTime(text);
  Check(!ms || (*ms >= 0 && size >= 7));
  return 0;
}
