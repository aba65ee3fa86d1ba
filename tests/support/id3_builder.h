#pragma once
// Fixture builders for ID3v1 blocks and ID3v2 tags, cue sheet frames included.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varimo {

struct TID3v1Fields {
  std::string Title, Artist, Album, Year;
  std::string Comment;           // the raw 30-byte comment area, zero-padded
  std::optional<uint8_t> Track;  // written into byte 126 (over the comment) when given
  uint8_t Genre = 255;
};

// The 128-byte block; fields longer than their slot are cut.
std::vector<uint8_t> BuildID3v1(const TID3v1Fields& fields);

// An ID3v2 tag, header included, with frames in the order they are added.
class ID3v2Builder {
 public:
  explicit ID3v2Builder(uint8_t majorVersion = 3) : version_(majorVersion) {}

  // Frame sizes as the version's standard has them (synchsafe in version 4) unless plain
  // ones are asked for, as some writers store them in version 4 tags.
  ID3v2Builder& PlainFrameSizes();
  // A minimal extended header in the version's layout, and the flag that announces it.
  ID3v2Builder& ExtendedHeader();
  ID3v2Builder& Frame(std::string_view id, std::string_view data);
  // A text frame in the single-byte encoding (encoding byte 0).
  ID3v2Builder& Text(std::string_view id, std::string_view text);
  ID3v2Builder& Comment(std::string_view description, std::string_view text);
  ID3v2Builder& Url(std::string_view description, std::string_view url);
  // A GEOB frame with the cue text; name and MIME type default to the ones a cue frame has.
  ID3v2Builder& CueFrame(std::string_view cueText, std::string_view name = "mp3cue CueSheet",
                         std::string_view mime = "text");
  // Bytes placed as they are between frames (zero padding, broken headers).
  ID3v2Builder& Raw(std::string_view bytes);
  ID3v2Builder& Padding(size_t count) { return Raw(std::string(count, '\0')); }

  std::vector<uint8_t> Build() const;

 private:
  struct TPiece {
    std::string Id;  // empty for raw bytes
    std::string Data;
  };
  uint8_t version_;
  bool plainSizes_ = false;
  bool extendedHeader_ = false;
  std::vector<TPiece> pieces_;
};

// Cue text with every line ended by CR LF.
std::string CueSheetText(const std::vector<std::string>& lines);

}  // namespace varimo
