#pragma once
// What the file information shows for one member of a Pack, ZIP or LHA album.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/track_item.h"
#include "platform/files.h"
#include "sources/mpeg.h"
#include "sources/tag_reader.h"

namespace varimo {

struct TFileInfoData {
  std::string KindCaption;  // UTF-8: "Pack", "ZIP", "LHA"; empty for other kinds
  uint32_t KindColor = 0;   // 0x00BBGGRR
  std::string FileName;     // the member's name, when a track is selected
  bool ID3v1Enabled = false;
  TID3v1Info ID3v1;
  bool ID3v2Enabled = false;
  TID3v2Info ID3v2;
  std::vector<std::string> MpegLines;  // empty, or the ten lines of the frame analysis
};

// Reads everything the dialog shows. track is a copy taken before any reading, since the
// frame walk pumps messages and a timer tick may rebuild the album meanwhile; null when no
// track is selected. Cue and non-album kinds have no byte ranges: only the kind is given.
TFileInfoData ReadFileInfo(IFiles& files, const std::string& albumFile, int32_t albumKind,
                           const TTrackItem* track, const std::function<void()>& pumpMessages);

struct TDialogRect {
  int32_t Left, Top;
};

// Centres the dialog on the main window and keeps it on the screen, 32 pixels above its
// bottom.
TDialogRect FileInfoDialogPosition(int32_t mainLeft, int32_t mainTop, int32_t mainWidth,
                                   int32_t mainHeight, int32_t width, int32_t height,
                                   int32_t screenWidth, int32_t screenHeight);

}  // namespace varimo
