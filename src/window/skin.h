#pragma once
// Which skin files the playlist window uses and what it reads from them. The shell does the
// file tests, bitmap loads and INI reads through the callables passed in; the choices are
// made here.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

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

// A private-profile read: the value of key in section of the INI file at path, or
// defaultText when the key is missing.
using TProfileRead =
    std::function<std::string(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultText)>;
using TPathTest = std::function<bool(const std::string& path)>;

// folder + "\" + name; the host's built-in skin has an empty folder, so the names then
// point at the root of the current drive, where they normally do not exist.
std::string SkinFilePath(std::string_view folder, std::string_view name);

// The colours of the skin in folder: from "Pledit.txt" when anything of that name exists
// (exists), else the fixed ones.
TSkinColors LoadSkinColors(std::string_view folder, const TPathTest& exists,
                           const TProfileRead& read);

// One place a bitmap can come from: a file of the skin or, with an empty Path, a built-in
// resource.
struct TBitmapCandidate {
  std::string Path;
  std::string Resource;
  bool OwnLayout = false;
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
