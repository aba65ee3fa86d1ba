#pragma once
// ID3v1 blocks and ID3v2 tags: sizes, the frame walk and the texts.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "sources/bytes.h"

namespace varimo {

struct TID3v1Info {
  std::string Artist, Title, Album, Track, Year, Comment, Genre;
};

struct TID3v2Info {
  std::string Artist, Title, Album, Track, Year, Comment, Genre, Composer, OrigArtist, Copyright,
      URL, Encoded, Encoder;
};

// One frame found by the walk: its 4-byte id and its data (the encoding byte first).
struct TID3v2Frame {
  std::string_view Id;
  const uint8_t* Data;
  size_t Size;
};

extern const std::array<const char*, 148> GenreNames;

// Total size of the tag, header included, from its first 10 bytes; 0 when they are no
// ID3v2 header (or fewer than 10 bytes are given).
int32_t GetID3v2Size(const uint8_t* bytes, size_t count);

// Fills info from a 128-byte block and returns true when it starts with "TAG"; otherwise
// returns false and leaves info untouched. full adds the comment and the genre.
bool ReadID3v1(TID3v1Info& info, const uint8_t* block, size_t count, bool full);

// Visits the frames of a tag (bytes from its first header byte; size is what the caller
// holds of it, and nothing past it is read). Version 4 frame sizes are read synchsafe, or
// plain where only that reading ends the frame on a boundary. The handler returns false to
// end the walk.
void FrameWalk(const uint8_t* tag, size_t size,
               const std::function<bool(const TID3v2Frame&)>& handler);

// Fills the fields whose frames the tag holds; short mode reads artist, title, album,
// track and year only. The year falls back to the first four bytes of "TDRC".
void ReadID3v2Frames(TID3v2Info& info, const uint8_t* tag, size_t size, bool full);

}  // namespace varimo
