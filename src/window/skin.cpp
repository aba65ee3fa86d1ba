#include "window/skin.h"

#include <iterator>

#include "common/text.h"
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

TSkinColors LoadSkinColors(std::string_view folder, const TPathTest& exists,
                           const TProfileRead& read) {
  TSkinColors colors;
  const std::string path = SkinFilePath(folder, "Pledit.txt");
  if (!exists(path)) return colors;
  auto color = [&](const char* key, const char* defaultText) {
    return ParseSkinColor(read(path, "Text", key, defaultText));
  };
  colors.ColorNormal = color("Normal", "#00FF00");
  colors.ColorCurrent = color("Current", "#FFFFFF");
  colors.ColorNormalBG = color("NormalBG", "#000000");
  colors.ColorSelectedBG = color("SelectedBG", "#FF0000");
  const std::string mbFG = read(path, "Text", "mbFG", "");
  colors.ColorMbFG = mbFG.empty() ? colors.ColorNormal : ParseSkinColor(mbFG);
  return colors;
}

TBitmapCandidate LoadFrameBitmap(std::string_view folder, const TPathTest& isFile,
                                 const TBitmapLoad& load) {
  const TBitmapCandidate candidates[] = {
      {SkinFilePath(folder, "Varimo.bmp"), "", true},
      {SkinFilePath(folder, "Pledit.bmp"), "", false},
      {"", PleditBitmapResource, true},
  };
  return LoadFirst(candidates, std::size(candidates), isFile, load);
}

TBitmapCandidate LoadGlyphBitmap(std::string_view folder, const TPathTest& isFile,
                                 const TBitmapLoad& load) {
  const TBitmapCandidate candidates[] = {
      {SkinFilePath(folder, "Text.bmp"), "", false},
      {"", TextBitmapResource, false},
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
