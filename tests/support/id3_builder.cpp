#include "support/id3_builder.h"

#include <algorithm>

namespace varimo {
namespace {

void Put(std::vector<uint8_t>& out, size_t offset, std::string_view text, size_t length) {
  std::copy_n(text.begin(), std::min(text.size(), length), out.begin() + offset);
}

void AppendSize(std::string& out, size_t size, bool synchsafe) {
  const int shift = synchsafe ? 7 : 8;
  const size_t mask = synchsafe ? 0x7F : 0xFF;
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<char>((size >> (shift * i)) & mask));
}

}  // namespace

std::vector<uint8_t> BuildID3v1(const TID3v1Fields& fields) {
  std::vector<uint8_t> block(128, 0);
  Put(block, 0, "TAG", 3);
  Put(block, 3, fields.Title, 30);
  Put(block, 33, fields.Artist, 30);
  Put(block, 63, fields.Album, 30);
  Put(block, 93, fields.Year, 4);
  Put(block, 97, fields.Comment, 30);
  if (fields.Track) block[126] = *fields.Track;
  block[127] = fields.Genre;
  return block;
}

ID3v2Builder& ID3v2Builder::PlainFrameSizes() {
  plainSizes_ = true;
  return *this;
}

ID3v2Builder& ID3v2Builder::ExtendedHeader() {
  extendedHeader_ = true;
  return *this;
}

ID3v2Builder& ID3v2Builder::Frame(std::string_view id, std::string_view data) {
  pieces_.push_back({std::string(id), std::string(data)});
  return *this;
}

ID3v2Builder& ID3v2Builder::Text(std::string_view id, std::string_view text) {
  return Frame(id, std::string(1, '\0') + std::string(text));
}

ID3v2Builder& ID3v2Builder::Comment(std::string_view description, std::string_view text) {
  return Frame("COMM",
               std::string("\0eng", 4) + std::string(description) + '\0' + std::string(text));
}

ID3v2Builder& ID3v2Builder::Url(std::string_view description, std::string_view url) {
  return Frame("WXXX", std::string(1, '\0') + std::string(description) + '\0' + std::string(url));
}

ID3v2Builder& ID3v2Builder::CueFrame(std::string_view cueText, std::string_view name,
                                     std::string_view mime) {
  return Frame("GEOB", std::string(1, '\0') + std::string(mime) + '\0' + std::string(name) + '\0' +
                           std::string(cueText));
}

ID3v2Builder& ID3v2Builder::Raw(std::string_view bytes) {
  pieces_.push_back({std::string(), std::string(bytes)});
  return *this;
}

std::vector<uint8_t> ID3v2Builder::Build() const {
  std::string body;
  if (extendedHeader_) {
    // Version 3 counts the bytes after the size field (flags and padding size); version 4
    // counts the whole header (size, flag byte count, flags).
    body += version_ >= 4 ? std::string("\0\0\0\x06\x01\0", 6)
                          : std::string("\0\0\0\x06\0\0\0\0\0\0", 10);
  }
  const bool synchsafe = version_ >= 4 && !plainSizes_;
  for (const TPiece& piece : pieces_) {
    if (!piece.Id.empty()) {
      body += piece.Id;
      AppendSize(body, piece.Data.size(), synchsafe);
      body += std::string(2, '\0');
    }
    body += piece.Data;
  }
  std::string header = "ID3";
  header.push_back(static_cast<char>(version_));
  header.push_back('\0');
  header.push_back(extendedHeader_ ? '\x40' : '\0');
  AppendSize(header, body.size(), true);
  const std::string tag = header + body;
  return std::vector<uint8_t>(tag.begin(), tag.end());
}

std::string CueSheetText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace varimo
