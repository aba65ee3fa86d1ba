#include "common/track_item.h"

namespace varimo {

const char* AlbumKindName(int32_t kind) {
  switch (kind) {
    case kAlbumCue: return "Cue";
    case kAlbumPack: return "Pack";
    case kAlbumZip: return "ZIP";
    case kAlbumLha: return "LHA";
    default: return "";
  }
}

}  // namespace varimo
