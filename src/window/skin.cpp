#include "window/skin.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "common/text.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "window/skin_tables.h"

namespace varimo {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

TBitmapCandidate LoadFirst(const TBitmapCandidate* candidates, size_t count,
                           const TPathTest& isFile, const TBitmapLoad& load) {
  for (size_t i = 0; i + 1 < count; ++i) {
    if (isFile(candidates[i].Path) && load(candidates[i])) return candidates[i];
  }
  // The built-in bitmap is the last resort; there is nothing to fall back to after it.
  load(candidates[count - 1]);
  return candidates[count - 1];
}

// UTF-16 text as the single bytes the colour keys are made of; any other character becomes
// "?", which no key or hex digit is.
std::string NarrowUtf16(std::string_view bytes, bool bigEndian) {
  std::string text;
  text.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const uint8_t high = static_cast<uint8_t>(bytes[bigEndian ? i : i + 1]);
    const uint8_t low = static_cast<uint8_t>(bytes[bigEndian ? i + 1 : i]);
    text += high == 0 && low < 0x80 ? static_cast<char>(low) : '?';
  }
  return text;
}

// The text of a profile file, at most limit bytes of it; a file cut there loses its last,
// partial line rather than reading a value cut short.
std::string ReadProfileText(IFiles& files, const std::string& path, size_t limit) {
  std::unique_ptr<IFile> file = files.OpenRead(path);
  if (!file) return std::string();
  std::string bytes(limit, '\0');
  size_t got = 0;
  while (got < limit) {
    const size_t n = file->Read(bytes.data() + got, limit - got);
    if (n == 0) break;
    got += n;
  }
  bytes.resize(got);
  const bool cut = file->Size() > static_cast<int64_t>(got);
  std::string text;
  if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
    text = NarrowUtf16(std::string_view(bytes).substr(2), false);
  } else if (bytes.compare(0, 2, "\xFE\xFF") == 0) {
    text = NarrowUtf16(std::string_view(bytes).substr(2), true);
  } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    text = bytes.substr(3);
  } else {
    text = std::move(bytes);
  }
  if (cut) {
    const size_t lastBreak = text.find_last_of("\r\n");
    text.resize(lastBreak == std::string::npos ? 0 : lastBreak + 1);
  }
  return text;
}

}  // namespace

uint32_t ParseSkinColor(std::string_view text) {
  size_t start = 0;
  if (!text.empty() && text[0] == '#') start = 1;
  if (text.size() < start + 6) return 0;
  uint32_t color = 0;
  for (int channel = 0; channel < 3; ++channel) {
    uint32_t value = 0;
    for (int i = 0; i < 2; ++i) {
      value = ((value << 4) & 0xFF) + HexDigit(text[start + channel * 2 + i]);
    }
    color |= value << (8 * channel);
  }
  return color;
}

std::string SkinFilePath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '\\';
  path += name;
  return path;
}

TSkinColors SkinColorsFromText(std::string_view text) {
  const TIniText ini{std::string(text)};
  auto read = [&](const char* key, const char* defaultText) {
    std::optional<std::string_view> stored = ini.Find("Text", key);
    return stored ? DecodeIniValue(*stored) : std::string(defaultText);
  };
  TSkinColors colors;
  colors.ColorNormal = ParseSkinColor(read("Normal", "#00FF00"));
  colors.ColorCurrent = ParseSkinColor(read("Current", "#FFFFFF"));
  colors.ColorNormalBG = ParseSkinColor(read("NormalBG", "#000000"));
  colors.ColorSelectedBG = ParseSkinColor(read("SelectedBG", "#FF0000"));
  const std::string mbFG = read("mbFG", "");
  colors.ColorMbFG = mbFG.empty() ? colors.ColorNormal : ParseSkinColor(mbFG);
  return colors;
}

TSkinColors LoadSkinColors(std::string_view folder, IFiles& files) {
  const std::string path = SkinFilePath(folder, "Pledit.txt");
  if (!files.FileExists(path) && !files.FolderExists(path)) return TSkinColors();
  return SkinColorsFromText(ReadProfileText(files, path, kMaxSkinColorFileBytes));
}

TBitmapSize FrameBitmapMinimum() {
  TBitmapSize size;
  for (const TSkinPieceRects& piece : kSkinPieces) {
    for (const TSkinRect& rect : {piece.Rect, piece.Alternate}) {
      size.Width = std::max(size.Width, rect.Right);
      size.Height = std::max(size.Height, rect.Bottom);
    }
  }
  return size;
}

TBitmapSize GlyphBitmapMinimum() {
  return {kGlyphBitmapWidth, kGlyphBitmapHeight};
}

std::optional<TBmpImage> ReadSkinBitmap(IFiles& files, const std::string& path,
                                        TBitmapSize minimum) {
  if (!files.FileExists(path)) return std::nullopt;
  std::unique_ptr<IFile> file = files.OpenRead(path);
  if (!file || file->Size() > kMaxBmpFileBytes) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(file->Size()));
  size_t got = 0;
  while (got < bytes.size()) {
    const size_t n = file->Read(bytes.data() + got, bytes.size() - got);
    if (n == 0) break;
    got += n;
  }
  TBmpResult decoded = DecodeBmp(bytes.data(), got);
  if (decoded.Status != TBmpStatus::kDecoded || decoded.Image.Width < minimum.Width ||
      decoded.Image.Height < minimum.Height) {
    return std::nullopt;
  }
  return std::move(decoded.Image);
}

TBitmapCandidate LoadFrameBitmap(std::string_view folder, const TPathTest& isFile,
                                 const TBitmapLoad& load) {
  const TBitmapCandidate candidates[] = {
      {SkinFilePath(folder, "Varimo.bmp"), "", true, FrameBitmapMinimum()},
      {SkinFilePath(folder, "Pledit.bmp"), "", false, FrameBitmapMinimum()},
      {"", kPleditBitmapResource, true, FrameBitmapMinimum()},
  };
  return LoadFirst(candidates, std::size(candidates), isFile, load);
}

TBitmapCandidate LoadGlyphBitmap(std::string_view folder, const TPathTest& isFile,
                                 const TBitmapLoad& load) {
  const TBitmapCandidate candidates[] = {
      {SkinFilePath(folder, "Text.bmp"), "", false, GlyphBitmapMinimum()},
      {"", kTextBitmapResource, false, GlyphBitmapMinimum()},
  };
  return LoadFirst(candidates, std::size(candidates), isFile, load);
}

TSkinCheck CheckSkinDir(bool force, const std::string& returned, const std::string& buffer,
                        const std::string& skinDir) {
  TSkinCheck check;
  check.SkinDir = skinDir;
  if (!force && returned == skinDir) return check;
  check.Reload = true;
  check.Folder = std::string(TrimBlanks(buffer));
  check.SkinDir = returned;
  return check;
}

TWindowOrigin KeepOnScreen(TWindowOrigin origin, int width, int height,
                           const TScreenMetrics& screen) {
  if (origin.Left < 0) origin.Left = screen.WorkLeft;
  if (origin.Left + width > screen.ScreenWidth) origin.Left = screen.ScreenWidth - width;
  if (origin.Top < 0) origin.Top = screen.WorkTop;
  if (origin.Top + height >= screen.ScreenHeight) origin.Top = screen.ScreenHeight - height;
  return origin;
}

}  // namespace varimo
