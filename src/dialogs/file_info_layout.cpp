#include "dialogs/file_info_layout.h"

namespace varimo {

// Inner controls are placed relative to their group box; a width of 0 sizes a label to its
// text.
// clang-format off
const TControlSpec kFileInfoControls[30] = {
    {kPanelKind,         TControlKind::kPanel,        0,                8,   9,  50,  18, TCaption::kNone, true},
    {kEditFileName,      TControlKind::kReadOnlyEdit, 0,               68,   8, 574,  20, TCaption::kNone},
    {kGroupBoxID3v1,     TControlKind::kGroupBox,     0,                8,  34, 280, 162, TCaption::kID3v1},
    {kID3v1Track,        TControlKind::kLabeledEdit,  kGroupBoxID3v1, 236,  12,  32,  20, TCaption::kTagTrack},
    {kID3v1Title,        TControlKind::kLabeledEdit,  kGroupBoxID3v1,  60,  36, 208,  20, TCaption::kTagTitle},
    {kID3v1Artist,       TControlKind::kLabeledEdit,  kGroupBoxID3v1,  60,  60, 208,  20, TCaption::kTagArtist},
    {kID3v1Album,        TControlKind::kLabeledEdit,  kGroupBoxID3v1,  60,  84, 208,  20, TCaption::kTagAlbum},
    {kID3v1Year,         TControlKind::kLabeledEdit,  kGroupBoxID3v1,  60, 108,  36,  20, TCaption::kTagYear},
    {kID3v1Genre,        TControlKind::kLabeledEdit,  kGroupBoxID3v1, 148, 108, 120,  20, TCaption::kTagGenre},
    {kID3v1Comment,      TControlKind::kLabeledEdit,  kGroupBoxID3v1,  60, 132, 208,  20, TCaption::kTagComment},
    {kGroupBoxMP3Info,   TControlKind::kGroupBox,     0,                8, 200, 280, 145, TCaption::kMpegInfo},
    {kMemoMPEGInfo,      TControlKind::kMemo,         kGroupBoxMP3Info, 12, 14, 257, 123, TCaption::kNone},
    {kGroupBoxID3v2,     TControlKind::kGroupBox,     0,              296,  34, 358, 340, TCaption::kID3v2},
    {kID3v2Track,        TControlKind::kLabeledEdit,  kGroupBoxID3v2, 296,  12,  50,  20, TCaption::kTagTrack},
    {kID3v2Title,        TControlKind::kLabeledEdit,  kGroupBoxID3v2,  76,  36, 270,  20, TCaption::kTagTitle},
    {kID3v2Artist,       TControlKind::kLabeledEdit,  kGroupBoxID3v2,  76,  60, 270,  20, TCaption::kTagArtist},
    {kID3v2Album,        TControlKind::kLabeledEdit,  kGroupBoxID3v2,  76,  84, 270,  20, TCaption::kTagAlbum},
    {kID3v2Year,         TControlKind::kLabeledEdit,  kGroupBoxID3v2,  76, 108,  65,  20, TCaption::kTagYear},
    {kID3v2Genre,        TControlKind::kLabeledEdit,  kGroupBoxID3v2, 190, 108, 156,  20, TCaption::kTagGenre},
    {kID3v2CommentLabel, TControlKind::kLabel,        kGroupBoxID3v2,  48, 136,   0,  12, TCaption::kTagComment},
    {kID3v2Comment,      TControlKind::kScrollMemo,   kGroupBoxID3v2,  76, 132, 270,  54, TCaption::kNone},
    {kID3v2Composer,     TControlKind::kLabeledEdit,  kGroupBoxID3v2,  76, 190, 270,  20, TCaption::kTagComposer},
    {kID3v2OrigArtist,   TControlKind::kLabeledEdit,  kGroupBoxID3v2,  76, 214, 270,  20, TCaption::kTagOrigArtist},
    {kID3v2Copyright,    TControlKind::kLabeledEdit,  kGroupBoxID3v2,  76, 238, 270,  20, TCaption::kTagCopyright},
    {kID3v2URL,          TControlKind::kLabeledEdit,  kGroupBoxID3v2,  76, 260, 270,  20, TCaption::kTagUrl},
    {kID3v2Encoded,      TControlKind::kLabeledEdit,  kGroupBoxID3v2,  76, 284, 270,  20, TCaption::kTagEncoded},
    {kID3v2EncodedNote,  TControlKind::kLabel,        kGroupBoxID3v2,  24, 300,   0,  12, TCaption::kTagEncodedNote,
     false, kDefaultTextColor, 11},
    {kID3v2Encoder,      TControlKind::kLabeledEdit,  kGroupBoxID3v2,  76, 308, 270,  20, TCaption::kTagEncoder},
    {kReferenceNote,     TControlKind::kLabel,        0,              104, 358,   0,  14,
     TCaption::kReferenceNote, true, 0x000000FF},
    {kFileInfoOk,        TControlKind::kDefaultButton, 0,              12, 354,  82,  21, TCaption::kOk},
};
// clang-format on

int32_t FileInfoGroup(int32_t id) {
  for (const TControlSpec& c : kFileInfoControls) {
    if (c.Id == id) return c.Parent;
  }
  return 0;
}

std::vector<std::pair<int32_t, std::string>> FileInfoTexts(const TFileInfoData& info) {
  std::vector<std::pair<int32_t, std::string>> texts = {{kEditFileName, info.FileName}};
  if (info.ID3v1Enabled) {
    const TID3v1Info& v1 = info.ID3v1;
    texts.insert(texts.end(), {{kID3v1Track, v1.Track},
                               {kID3v1Title, v1.Title},
                               {kID3v1Artist, v1.Artist},
                               {kID3v1Album, v1.Album},
                               {kID3v1Year, v1.Year},
                               {kID3v1Genre, v1.Genre},
                               {kID3v1Comment, v1.Comment}});
  }
  if (info.ID3v2Enabled) {
    const TID3v2Info& v2 = info.ID3v2;
    texts.insert(texts.end(), {{kID3v2Track, v2.Track},
                               {kID3v2Title, v2.Title},
                               {kID3v2Artist, v2.Artist},
                               {kID3v2Album, v2.Album},
                               {kID3v2Year, v2.Year},
                               {kID3v2Genre, v2.Genre},
                               {kID3v2Comment, v2.Comment},
                               {kID3v2Composer, v2.Composer},
                               {kID3v2OrigArtist, v2.OrigArtist},
                               {kID3v2Copyright, v2.Copyright},
                               {kID3v2URL, v2.URL},
                               {kID3v2Encoded, v2.Encoded},
                               {kID3v2Encoder, v2.Encoder}});
  }
  std::string lines;
  for (const std::string& line : info.MpegLines) {
    if (!lines.empty()) lines += "\r\n";
    lines += line;
  }
  texts.emplace_back(kMemoMPEGInfo, lines);
  return texts;
}

TFileInfoData ReadSelectedFileInfo(const TVarimo& varimo, TPorts& ports) {
  const TAlbumState& album = varimo.Album;
  const std::string albumFile = album.AlbumFile;
  const int32_t selected = varimo.Window.SelectedIndex;
  std::optional<TTrackItem> track;
  if (selected >= 0 && selected < static_cast<int32_t>(album.Tracks.size())) {
    const TTrackItem& chosen = album.Tracks[static_cast<size_t>(selected)];
    track.emplace();
    track->FileName = chosen.FileName;
    track->StartPos = chosen.StartPos;
    track->EndPos = chosen.EndPos;
  }
  return ReadFileInfo(ports.Files, albumFile, album.AlbumKind, track ? &*track : nullptr,
                      PacedPump(ports.Clock, [&ports] { ports.Window.PumpMessages(); }));
}

std::function<void()> PacedPump(IClock& clock, std::function<void()> pump, uint32_t intervalMS) {
  return [&clock, pump = std::move(pump), intervalMS, last = std::optional<uint32_t>()]() mutable {
    const uint32_t now = clock.TickCount();
    // The tick count wraps; the difference of two readings does not.
    if (last && now - *last < intervalMS) return;
    last = now;
    pump();
  };
}

}  // namespace varimo
