#pragma once
// The file information dialog: its controls as laid out, and what each shows of a track.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/dialog_layout.h"
#include "engine/varimo_context.h"
#include "sources/file_info.h"

namespace varimo {

constexpr int32_t kFileInfoClientWidth = 662;
constexpr int32_t kFileInfoClientHeight = 381;

enum FileInfoControl : int32_t {
  kFileInfoOk = 1,  // the system's OK id: Enter and Esc both close with it
  kPanelKind = 101,
  kEditFileName,
  kGroupBoxID3v1 = 110,
  kID3v1Track,
  kID3v1Title,
  kID3v1Artist,
  kID3v1Album,
  kID3v1Year,
  kID3v1Genre,
  kID3v1Comment,
  kGroupBoxMP3Info = 120,
  kMemoMPEGInfo,
  kGroupBoxID3v2 = 130,
  kID3v2Track,
  kID3v2Title,
  kID3v2Artist,
  kID3v2Album,
  kID3v2Year,
  kID3v2Genre,
  kID3v2CommentLabel,
  kID3v2Comment,
  kID3v2Composer,
  kID3v2OrigArtist,
  kID3v2Copyright,
  kID3v2URL,
  kID3v2Encoded,
  kID3v2EncodedNote,
  kID3v2Encoder,
  kReferenceNote = 150,
};

extern const TControlSpec kFileInfoControls[30];

// The group a control belongs to; 0 for none.
int32_t FileInfoGroup(int32_t id);

// What the dialog shows, by control: member name, tag fields and the MPEG lines, each in the
// system's ANSI code page.
std::vector<std::pair<int32_t, std::string>> FileInfoTexts(const TFileInfoData& info);

// How often the frame walk lets the thread's pending messages run. Once per frame kept the
// windows no more alive than this, and cost a walk of 10,000 frames 150 ms under Wine.
constexpr uint32_t kFrameWalkPumpMS = 10;
// pump at the first call, then again whenever intervalMS have passed since it last ran.
std::function<void()> PacedPump(IClock& clock, std::function<void()> pump,
                                uint32_t intervalMS = kFrameWalkPumpMS);

// Everything the dialog shows of the selected track. The frame walk runs the window's
// pending messages, and a tick among them may rebuild the album: the track's name and byte
// range and the album file are copied first.
TFileInfoData ReadSelectedFileInfo(const TVarimo& varimo, TPorts& ports);

}  // namespace varimo
