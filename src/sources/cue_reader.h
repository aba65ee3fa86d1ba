#pragma once
// Cue sheets carried in a GEOB frame of the album file's ID3v2 tag.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/track_item.h"

namespace varimo {

// ReadEmbeddedCue's answer for a sheet that holds a time it cannot read: the file then
// counts as having no album information.
constexpr int32_t kCueUnreadable = -2;

// Appends one track per cue track; returns -1 when the tag holds no cue frame, otherwise
// the total in ms the sheet states (0 for none), or kCueUnreadable (nothing appended).
int32_t ReadEmbeddedCue(TTrackList& tracks, const uint8_t* tag, size_t size);

// The sheet's lines, as split from the frame's text (CR LF ends a line).
std::vector<std::string> SplitCueLines(std::string_view text);

// Appends the tracks and returns the total in ms (0 for none); nullopt, with nothing
// appended, when a time in the sheet is not readable.
std::optional<int32_t> ParseCueSheet(TTrackList& tracks, const std::vector<std::string>& lines);

// Milliseconds of a cue time mm:ss:ff (any minutes width); nullopt when not decimal or
// shorter than 7 bytes, or beyond what 32 bits of milliseconds hold.
std::optional<int32_t> ParseCueTime(std::string_view text);

}  // namespace varimo
