#include "sources/tag_reader.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "common/text.h"

namespace varimo {

// clang-format off
const std::array<const char*, 148> GenreNames = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz",
    "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno",
    "Industrial", "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno",
    "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance", "Classical", "Instrumental",
    "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise", "AlternRock", "Bass", "Soul", "Punk",
    "Space", "Meditative", "Instrumental Pop", "Instrumental Rock", "Ethnic", "Gothic", "Darkwave",
    "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy",
    "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American",
    "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi", "Tribal",
    "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock", "Folk",
    "Folk/Rock", "National Folk", "Swing", "Fast-Fusion", "Bebob", "Latin", "Revival", "Celtic",
    "Bluegrass", "Avantgarde", "Gothic Rock", "Progressive Rock", "Psychedelic Rock",
    "Symphonic Rock", "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour",
    "Speech", "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus",
    "Porn Groove", "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad",
    "Power Ballad", "Phythmic Soul", "Freestyle", "Duet", "Punk Rock", "Drum Solo", "A Cappella",
    "Euro-House", "Dance Hall", "Goa", "Drum & Bass", "Club-House", "Hardcore", "Terror", "Indie",
    "BritPop", "Negerpunk", "Polsk Punk", "Beat", "Christian Gangsta Rap", "Heavy Metal",
    "Black Metal", "Crossover", "Contemporary Christian", "Christian Rock", "Merengue", "Salsa",
    "Thrash Metal", "Anime", "JPop", "Synthpop"};
// clang-format on

namespace {

constexpr int64_t kHeaderSize = 10;
constexpr size_t kID3v1Size = 128;

std::string_view Bytes(const uint8_t* data, size_t count) {
  return std::string_view(reinterpret_cast<const char*>(data), count);
}

bool IsFrameIdByte(uint8_t b) {
  return (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9');
}

// The frame (header and size data bytes at pos) lies wholly inside the tag.
bool FrameFits(int64_t pos, int64_t size, int64_t tagSize) {
  return size >= 0 && pos + kHeaderSize + size <= tagSize;
}

// What follows a frame of a well-read size: the tag's end, padding, or another frame header.
bool IsFrameBoundary(const uint8_t* tag, int64_t pos, int64_t tagSize) {
  if (pos == tagSize) return true;
  const int64_t probe = std::min<int64_t>(4, tagSize - pos);
  bool zeros = true;
  bool frameId = probe == 4;
  for (int64_t i = 0; i < probe; ++i) {
    zeros = zeros && tag[pos + i] == 0;
    frameId = frameId && IsFrameIdByte(tag[pos + i]);
  }
  return zeros || frameId;
}

// Version 4 makes frame sizes synchsafe, but some writers store them plain; a size that
// ends the frame on a boundary tells which reading the writer meant.
int64_t FrameSize(const uint8_t* tag, int64_t pos, int64_t tagSize, bool synchsafe) {
  const int64_t plain = ReadUInt32BE(tag + pos + 4);
  if (!synchsafe) return plain;
  const int64_t safe = ReadSyncsafe32(tag + pos + 4);
  auto endsOnBoundary = [&](int64_t size) {
    return FrameFits(pos, size, tagSize) && IsFrameBoundary(tag, pos + kHeaderSize + size, tagSize);
  };
  return !endsOnBoundary(safe) && endsOnBoundary(plain) ? plain : safe;
}

// The bytes after the encoding byte, trailing blanks removed.
std::string TextValue(const TID3v2Frame& frame) {
  if (frame.Size == 0) return {};
  return TrimTrailingBlanks(Bytes(frame.Data + 1, frame.Size - 1));
}

// The comment text after the language code and the zero-terminated description.
std::string CommentValue(const TID3v2Frame& frame) {
  const std::string_view data = Bytes(frame.Data, frame.Size);
  const size_t descriptionStart = std::min<size_t>(4, data.size());
  size_t descriptionEnd = data.find('\0', descriptionStart);
  if (descriptionEnd == std::string_view::npos) descriptionEnd = data.size();
  const int64_t count = static_cast<int64_t>(data.size()) -
                        static_cast<int64_t>(descriptionEnd - descriptionStart) - 5;
  if (count <= 0) return {};
  return TrimTrailingBlanks(data.substr(descriptionEnd + 1, static_cast<size_t>(count)));
}

// Skips the encoding byte and the terminator of an (assumed empty) description.
std::string UrlValue(const TID3v2Frame& frame) {
  if (frame.Size < 2) return {};
  return TrimTrailingBlanks(Bytes(frame.Data + 2, frame.Size - 2));
}

// A genre number, signed or not; values beyond the table (either way) stop growing so that
// long digit runs cannot overflow and still read as out of range.
std::optional<size_t> ParseGenreNumber(std::string_view digits) {
  const bool negative = !digits.empty() && digits[0] == '-';
  if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
  if (digits.empty()) return std::nullopt;
  size_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min<size_t>(value * 10 + static_cast<size_t>(c - '0'), GenreNames.size());
  }
  return negative && value != 0 ? GenreNames.size() : value;
}

// "(n)" names a table genre, "(n)text" refines it to text, "((" escapes a parenthesis.
// A reference that is not a number leaves the text as it is.
std::string GenreValue(const std::string& value) {
  if (value.empty() || value[0] != '(') return value;
  if (value.size() > 1 && value[1] == '(') return value.substr(1);
  const size_t close = value.find(')');
  if (close == std::string::npos) return value;
  const std::optional<size_t> number =
      ParseGenreNumber(std::string_view(value).substr(1, close - 1));
  if (!number) return value;
  const std::string refinement = value.substr(close + 1);
  if (!refinement.empty()) return refinement;
  return *number < GenreNames.size() ? GenreNames[*number] : "";
}

struct TTextFrameField {
  std::string_view Id;
  std::string TID3v2Info::*Field;
  bool ShortMode;
};

constexpr TTextFrameField kTextFrames[] = {
    {"TPE1", &TID3v2Info::Artist, true},      {"TIT2", &TID3v2Info::Title, true},
    {"TALB", &TID3v2Info::Album, true},       {"TRCK", &TID3v2Info::Track, true},
    {"TYER", &TID3v2Info::Year, true},        {"TCOM", &TID3v2Info::Composer, false},
    {"TOPE", &TID3v2Info::OrigArtist, false}, {"TCOP", &TID3v2Info::Copyright, false},
    {"TENC", &TID3v2Info::Encoded, false},    {"TSSE", &TID3v2Info::Encoder, false},
};

}  // namespace

int32_t GetID3v2Size(const uint8_t* bytes, size_t count) {
  if (count < kHeaderSize || std::memcmp(bytes, "ID3", 3) != 0) return 0;
  return (bytes[6] << 21) + (bytes[7] << 14) + (bytes[8] << 7) + bytes[9] + kHeaderSize;
}

bool ReadID3v1(TID3v1Info& info, const uint8_t* block, size_t count, bool full) {
  if (count < kID3v1Size || std::memcmp(block, "TAG", 3) != 0) return false;
  info.Title = TrimTrailingBlanks(Bytes(block + 3, 30));
  info.Artist = TrimTrailingBlanks(Bytes(block + 33, 30));
  info.Album = TrimTrailingBlanks(Bytes(block + 63, 30));
  info.Year = TrimTrailingBlanks(Bytes(block + 93, 4));
  std::string_view comment = Bytes(block + 97, 30);
  comment = comment.substr(0, comment.find('\0'));
  // A comment of 29 or 30 bytes runs into the track byte, which then is no track number.
  const uint8_t track = block[126];
  if (comment.size() >= 29 || track == 0) {
    info.Track.clear();
  } else {
    info.Track = (track < 10 ? "0" : "") + std::to_string(track);
  }
  if (full) {
    info.Comment = TrimTrailingBlanks(comment);
    info.Genre = block[127] < GenreNames.size() ? GenreNames[block[127]] : "";
  } else {
    info.Comment = std::string(comment);
  }
  return true;
}

void FrameWalk(const uint8_t* tag, size_t size,
               const std::function<bool(const TID3v2Frame&)>& handler) {
  const int64_t tagSize = static_cast<int64_t>(size);
  const int64_t limit = tagSize - kHeaderSize;
  // Too short to hold the extended header's size, and so any frame.
  if (tagSize < kHeaderSize + 4) return;
  int64_t pos = kHeaderSize;
  if (tag[3] > 2 && (tag[5] & 0x40) != 0) {
    pos += ReadUInt32BE(tag + kHeaderSize);
    // A broken size may point back into the tag header, but never before the tag.
    if (pos < 0) return;
  }
  const bool synchsafeSizes = tag[3] == 4;
  while (pos < limit) {
    const int64_t frameSize = FrameSize(tag, pos, tagSize, synchsafeSizes);
    const std::string_view id = Bytes(tag + pos, 4);
    // Frames in other text encodings, padding and stray bytes are stepped over one byte at a
    // time, so a frame header after them is still found.
    if (!FrameFits(pos, frameSize, tagSize) || tag[pos + kHeaderSize] != 0 ||
        TrimBlanks(id).size() != 4) {
      ++pos;
      continue;
    }
    if (!handler({id, tag + pos + kHeaderSize, static_cast<size_t>(frameSize)})) return;
    pos += kHeaderSize + frameSize;
  }
}

void ReadID3v2Frames(TID3v2Info& info, const uint8_t* tag, size_t size, bool full) {
  bool hasYear = false;
  std::optional<std::string> recordingYear;
  FrameWalk(tag, size, [&](const TID3v2Frame& frame) {
    for (const TTextFrameField& text : kTextFrames) {
      if (frame.Id == text.Id && (full || text.ShortMode)) info.*text.Field = TextValue(frame);
    }
    if (frame.Id == "TYER") hasYear = true;
    // Version 4 dates the recording instead of giving a year.
    if (frame.Id == "TDRC") recordingYear = TrimTrailingBlanks(TextValue(frame).substr(0, 4));
    if (!full) return true;
    if (frame.Id == "COMM") info.Comment = CommentValue(frame);
    if (frame.Id == "TCON") info.Genre = GenreValue(TextValue(frame));
    if (frame.Id == "WXXX") info.URL = UrlValue(frame);
    return true;
  });
  if (!hasYear && recordingYear) info.Year = *recordingYear;
}

}  // namespace varimo
