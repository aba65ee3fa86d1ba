// Arbitrary bytes as a skin's colour file and as a colour text.
#include <cstdlib>
#include <string>
#include <string_view>

#include "fakes/memory_files.h"
#include "window/skin.h"

using namespace varimo;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsColor(uint32_t color) {
  return color <= 0xFFFFFF;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  MemoryFiles files;
  files.Add("skin\\Pledit.txt", std::vector<uint8_t>(data, data + size));
  const TSkinColors colors = LoadSkinColors("skin", files);
  Check(IsColor(colors.ColorNormal) && IsColor(colors.ColorCurrent) &&
        IsColor(colors.ColorNormalBG) && IsColor(colors.ColorSelectedBG) &&
        IsColor(colors.ColorMbFG));
  Check(files.Counters().BytesRead <= kMaxSkinColorFileBytes);
  // Without a byte-order mark the file is its text.
  if (text.substr(0, 2) != "\xFF\xFE" && text.substr(0, 2) != "\xFE\xFF" &&
      text.substr(0, 3) != "\xEF\xBB\xBF") {
    const TSkinColors direct = SkinColorsFromText(text);
    Check(direct.ColorNormal == colors.ColorNormal && direct.ColorMbFG == colors.ColorMbFG &&
          direct.ColorSelectedBG == colors.ColorSelectedBG);
  }

  // Only the first six digits count.
  const uint32_t color = ParseSkinColor(text);
  Check(IsColor(color));
  const size_t digitsEnd = !text.empty() && text[0] == '#' ? 7 : 6;
  Check(size < digitsEnd || ParseSkinColor(std::string(text) + "FF") == color);
  return 0;
}
