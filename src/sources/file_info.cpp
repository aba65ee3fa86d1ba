#include "sources/file_info.h"

#include "common/captions.h"
#include "sources/file_reader.h"

namespace varimo {

TFileInfoData ReadFileInfo(IFiles& files, const std::string& albumFile, int32_t albumKind,
                           const TTrackItem* track, const std::function<void()>& pumpMessages) {
  TFileInfoData info;
  switch (albumKind) {
    case kAlbumPack:
      info.KindCaption = Caption(TCaption::kFileInfoPack);
      info.KindColor = 0x00FF0000;
      break;
    case kAlbumZip:
      info.KindCaption = Caption(TCaption::kFileInfoZip);
      info.KindColor = 0x00FF00FF;
      break;
    case kAlbumLha:
      info.KindCaption = Caption(TCaption::kFileInfoLha);
      info.KindColor = 0x00008000;
      break;
    default: return info;
  }
  if (!track) return info;
  const int64_t startPos = track->StartPos;
  const int64_t endPos = track->EndPos;
  info.FileName = track->FileName;

  std::unique_ptr<IFile> handle = files.OpenRead(albumFile);
  if (!handle) return info;
  FileReader file(*handle);

  uint8_t block[128];
  if (endPos >= 128 && file.ReadAt(endPos - 128, block, sizeof block) == sizeof block &&
      ReadID3v1(info.ID3v1, block, sizeof block, true)) {
    info.ID3v1Enabled = true;
  }

  uint8_t header[10];
  int32_t tagSize = GetID3v2Size(header, file.ReadAt(startPos, header, sizeof header));
  file.Seek(startPos);
  if (tagSize != 0) {
    std::vector<uint8_t> tag = file.ReadBytes(tagSize);
    file.Seek(startPos + tagSize);
    ReadID3v2Frames(info.ID3v2, tag.data(), tag.size(), true);
    info.ID3v2Enabled = true;
  }

  if (ProbeStream(file) == kProbeEnd) return info;
  int64_t headerPos = file.Position();
  TMpegInfo mpeg;
  // A walk that counted no frame found no header: the memo stays empty, as for no header.
  if (AnalyzeMpegStream(file, mpeg, endPos, pumpMessages) && mpeg.Frames > 0) {
    info.MpegLines = MpegInfoLines(mpeg, startPos, endPos, headerPos);
  }
  return info;
}

TDialogRect FileInfoDialogPosition(int32_t mainLeft, int32_t mainTop, int32_t mainWidth,
                                   int32_t mainHeight, int32_t width, int32_t height,
                                   int32_t screenWidth, int32_t screenHeight) {
  TDialogRect r{mainLeft + mainWidth / 2 - width / 2, mainTop + mainHeight / 2 - height / 2};
  if (r.Left < 0) r.Left = 0;
  if (r.Left + width > screenWidth) r.Left = screenWidth - width;
  if (r.Top < 0) r.Top = 0;
  if (r.Top + height > screenHeight - 32) r.Top = screenHeight - height - 32;
  return r;
}

}  // namespace varimo
