#pragma once
// Which skin files the playlist window uses and what it reads from them. The shell does the
// file tests, bitmap loads and INI reads through the callables passed in; the choices are
// made here.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "window/bmp_reader.h"

namespace varimo {

// 0x00BBGGRR. The defaults are the colours of a skin without "Pledit.txt".
struct TSkinColors {
  uint32_t ColorNormal = 0x00FF00;
  uint32_t ColorCurrent = 0xFFFFFF;
  uint32_t ColorNormalBG = 0x000000;
  uint32_t ColorSelectedBG = 0xFF0000;
  uint32_t ColorMbFG = 0x00FF00;
};

// "#RRGGBB" or "RRGGBB" to 0x00BBGGRR. Too short gives 0; a character that is not a hex
// digit counts as 0; anything after the sixth digit is ignored.
uint32_t ParseSkinColor(std::string_view text);

using TPathTest = std::function<bool(const std::string& path)>;

// folder + "\" + name; the host's built-in skin has an empty folder, so the names then
// point at the root of the current drive, where they normally do not exist.
std::string SkinFilePath(std::string_view folder, std::string_view name);

// A colour file is a few lines; no more than this much of one is read, up to its last whole
// line, so a huge file costs no more than a sound one.
constexpr size_t kMaxSkinColorFileBytes = 64 * 1024;

// The colours of a colour file's text, read by the private-profile rules: section "Text",
// each key's default where it is missing.
TSkinColors SkinColorsFromText(std::string_view text);
// The colours of the skin in folder: from "Pledit.txt" when anything of that name exists
// (a folder of that name, which cannot be read, gives every key's default), else the fixed
// ones. A byte-order mark is honoured as the platform's profile reads honour it.
TSkinColors LoadSkinColors(std::string_view folder, IFiles& files);

struct TBitmapSize {
  int Width = 0;
  int Height = 0;
};
// The smallest bitmaps that hold every piece and glyph cell the window copies from.
TBitmapSize FrameBitmapMinimum();
TBitmapSize GlyphBitmapMinimum();

// The skin bitmap at path, decoded and checked; nothing when it is not a file, is larger
// than any bitmap within the reader's caps (then it is not read at all), does not decode,
// or is smaller than minimum.
std::optional<TBmpImage> ReadSkinBitmap(IFiles& files, const std::string& path,
                                        TBitmapSize minimum);

// One place a bitmap can come from: a file of the skin or, with an empty Path, a built-in
// resource. A file serves only when it holds at least Minimum.
struct TBitmapCandidate {
  std::string Path;
  std::string Resource;
  bool OwnLayout = false;
  TBitmapSize Minimum;
};

// Loads the candidate into the bitmap being filled; false when it cannot be decoded.
using TBitmapLoad = std::function<bool(const TBitmapCandidate& candidate)>;

// Fills the frame bitmap from the first of "Varimo.bmp", "Pledit.bmp" and the built-in
// frame that is a file (isFile) and decodes (load), and returns the one taken. A skin file
// that exists but does not decode falls through, so the window stays drawable.
TBitmapCandidate LoadFrameBitmap(std::string_view folder, const TPathTest& isFile,
                                 const TBitmapLoad& load);
// The same for the glyphs: "Text.bmp", then the built-in glyphs.
TBitmapCandidate LoadGlyphBitmap(std::string_view folder, const TPathTest& isFile,
                                 const TBitmapLoad& load);

// What one skin check makes of the host's answer to the skin-directory request. The text
// the request returns decides whether anything changed and is what the window remembers;
// the files come from the text written into the buffer.
struct TSkinCheck {
  bool Reload = false;
  std::string Folder;   // the buffer text without bytes 0 to 32 at either end
  std::string SkinDir;  // the returned text to remember when Reload is set
};
TSkinCheck CheckSkinDir(bool force, const std::string& returned, const std::string& buffer,
                        const std::string& skinDir);

struct TScreenMetrics {
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  int WorkLeft = 0;
  int WorkTop = 0;
};

struct TWindowOrigin {
  int Left = 0;
  int Top = 0;
};

// Moves a window of the given size back onto the screen after a skin load: off the left or
// top edge it goes to the work area's edge, past the right or bottom edge it is pulled in.
TWindowOrigin KeepOnScreen(TWindowOrigin origin, int width, int height,
                           const TScreenMetrics& screen);

}  // namespace varimo
