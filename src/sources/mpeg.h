#pragma once
// MPEG audio frames: the container probe, the length estimate and the frame analysis.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sources/file_reader.h"

namespace varimo {

struct TMpegInfo {
  int32_t Seconds = 0;
  int32_t Bitrate = 0;
  std::string VbrMark;
  int32_t Frames = 0;
  int32_t SampleRate = 0;
  std::string ChannelMode;
  std::string Crc;
  std::string Copyrighted;
  std::string Original;
  std::string Emphasis;
};

enum ProbeResult : int32_t {
  kProbePlain = -1,  // nothing recognised at the position
  kProbeEnd = 0,     // the file ended before a frame header
  kProbePack = 1,
  kProbeZip = 2,
  kProbeLha = 3,
};

// Recognises a container at the position and searches forward (64 KiB, over embedded ID3v2
// tags) for the first frame header. Leaves the file at that header, or where it started when
// none was found.
int32_t ProbeStream(FileReader& file);

// Playing time in ms of count bytes from the position (-1: to the end of the file) by the
// bit rate of the first frame; -1 when no frame header lies inside the range or the first is
// not MPEG-1 Layer III, 0 for a free-format or invalid bit rate. Searches only inside the
// range and leaves the file as ProbeStream does for that search.
int32_t EstimateLengthMS(FileReader& file, int64_t count);

// Walks every frame from the position; the walk ends at the first header at or past limit (an
// absolute offset, 0 for none). pumpMessages, when set, runs once per frame counted. False,
// with info untouched, when a frame is not MPEG-1 Layer III.
bool AnalyzeMpegStream(FileReader& file, TMpegInfo& info, int64_t limit,
                       const std::function<void()>& pumpMessages = {});

// The ten lines the file information shows for a member analysed from startPos to endPos whose
// first header is at headerPos.
std::vector<std::string> MpegInfoLines(const TMpegInfo& info, int64_t startPos, int64_t endPos,
                                       int64_t headerPos);

}  // namespace varimo
