#include "sources/mpeg.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "sources/bytes.h"

namespace varimo {
namespace {

constexpr int64_t kSearchSpan = 65536;
constexpr size_t kTagHeaderSize = 10;
constexpr int64_t kSamplesPerFrame = 1152;

// MPEG-1 Layer III; these two tables serve every header, whatever its version or layer.
constexpr int32_t kBitratesKbps[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                       112, 128, 160, 192, 224, 256, 320, 0};
constexpr int32_t kSampleRates[4] = {44100, 48000, 32000, 0};
constexpr const char* kChannelModeNames[4] = {"Stereo", "JointStereo", "DualChannel",
                                              "SingleChannel"};
constexpr const char* kEmphasisNames[4] = {"None", "50/15", "-?-", "CCIT J.17"};

constexpr int32_t kMaxInt32 = std::numeric_limits<int32_t>::max();

int32_t ClampToInt32(int64_t value) {
  return static_cast<int32_t>(std::min<int64_t>(value, kMaxInt32));
}

// A frame header read as two big-endian words.
struct FrameHeader {
  uint16_t W0 = 0;
  uint16_t W1 = 0;

  bool IsMpeg1() const { return (W0 & 0x0008) != 0; }
  int LayerBits() const { return (W0 >> 1) & 3; }
  bool ProtectionBit() const { return (W0 & 1) != 0; }
  int BitrateIndex() const { return W1 >> 12; }
  int SampleRateIndex() const { return (W1 >> 10) & 3; }
  bool Padding() const { return (W1 & 0x0200) != 0; }
  int ChannelMode() const { return (W1 >> 6) & 3; }
  bool Copyright() const { return (W1 & 0x0008) != 0; }
  bool Original() const { return (W1 & 0x0004) != 0; }
  int Emphasis() const { return W1 & 3; }

  int32_t BitrateKbps() const { return kBitratesKbps[BitrateIndex()]; }
  int32_t SampleRate() const { return kSampleRates[SampleRateIndex()]; }
  bool IsMpeg1Layer3() const { return IsMpeg1() && LayerBits() == 1; }
  bool IsValid() const {
    return LayerBits() != 0 && BitrateKbps() != 0 && SampleRate() != 0 && Emphasis() != 2;
  }
  int64_t FrameLength() const {
    return int64_t{144} * BitrateKbps() * 1000 / SampleRate() + (Padding() ? 1 : 0);
  }
};

bool StartsFrameHeader(const uint8_t* bytes) {
  return (ReadUInt16BE(bytes) & 0xFFF0) == 0xFFF0;
}

FrameHeader DecodeHeader(const uint8_t* bytes) {
  return {ReadUInt16BE(bytes), ReadUInt16BE(bytes + 2)};
}

enum class TSearchEnd { kHeader, kFileEnd, kSpanExhausted };

struct SearchResult {
  TSearchEnd End = TSearchEnd::kSpanExhausted;
  int64_t Offset = 0;
  FrameHeader Header;
};

// An ID3v2 tag is stepped over by the size its header states. A malformed size can make that
// step zero or negative; such bytes are then searched like any others, one offset on, so the
// search always moves forward.
int64_t TagStep(const uint8_t* tagHeader) {
  int64_t step = int64_t{ReadSyncsafe32(tagHeader + 6)} + int64_t{kTagHeaderSize};
  return step > 0 ? step : 1;
}

// Tests the offsets start + d for a frame header while d is below span, four bytes each, read
// through the file's buffer.
SearchResult FindFrameHeader(FileReader& file, int64_t start, int64_t d,
                             int64_t span = kSearchSpan) {
  SearchResult result;
  while (d < span) {
    uint8_t bytes[kTagHeaderSize];
    int64_t at = start + d;
    if (file.ReadAt(at, bytes, 4) < 4) {
      result.End = TSearchEnd::kFileEnd;
      return result;
    }
    if (std::memcmp(bytes, "ID3", 3) == 0) {
      if (file.ReadAt(at, bytes, kTagHeaderSize) < kTagHeaderSize) {
        result.End = TSearchEnd::kFileEnd;
        return result;
      }
      d += TagStep(bytes);
    } else if (StartsFrameHeader(bytes)) {
      result.End = TSearchEnd::kHeader;
      result.Offset = at;
      result.Header = DecodeHeader(bytes);
      return result;
    } else {
      ++d;
    }
  }
  return result;
}

struct Probe {
  int32_t Kind = kProbePlain;
  SearchResult Search;
};

Probe ProbeAt(FileReader& file, int64_t start, int64_t span) {
  Probe probe;
  uint8_t bytes[4];
  if (file.ReadAt(start, bytes, 4) < 4) {
    probe.Kind = kProbeEnd;
    probe.Search.End = TSearchEnd::kFileEnd;
    return probe;
  }
  if (StartsFrameHeader(bytes)) {
    probe.Search = {TSearchEnd::kHeader, start, DecodeHeader(bytes)};
    return probe;
  }
  int64_t d = 0;
  if (std::memcmp(bytes, "Pack", 4) == 0) {
    probe.Kind = kProbePack;
  } else if (std::memcmp(bytes, "PK\x03\x04", 4) == 0) {
    probe.Kind = kProbeZip;
  } else if (bytes[2] == '-' && bytes[3] == 'l') {
    uint8_t method[3];
    if (file.ReadAt(start + 4, method, 3) == 3 && std::memcmp(method, "h0-", 3) == 0) {
      probe.Kind = kProbeLha;
      d = bytes[0] + bytes[1] * 256;  // the header size: the member's data follows it
    }
  }
  probe.Search = FindFrameHeader(file, start, d, span);
  if (probe.Search.End == TSearchEnd::kFileEnd) probe.Kind = kProbeEnd;
  return probe;
}

// Leaves the file where ProbeStream does.
Probe ProbeAndPosition(FileReader& file, int64_t span = kSearchSpan) {
  int64_t start = file.Position();
  Probe probe = ProbeAt(file, start, span);
  file.Seek(probe.Search.End == TSearchEnd::kHeader ? probe.Search.Offset : start);
  return probe;
}

// The bit rates of a walk: their sum, or the first rate while every frame has it.
struct BitrateSum {
  int64_t Sum = 0;
  bool Variable = false;

  void Add(int64_t kbps, int64_t frames) {
    if (Sum == 0) {
      Sum = kbps;
    } else if (!Variable && kbps != Sum) {
      Variable = true;
      Sum = Sum * (frames - 1) + kbps;
    } else if (Variable) {
      Sum += kbps;
    }
  }
  int64_t Average(int64_t frames) const { return Variable ? Sum / frames : Sum; }
};

const char* YesNo(bool yes) {
  return yes ? "Yes" : "No";
}

}  // namespace

int32_t ProbeStream(FileReader& file) {
  return ProbeAndPosition(file).Kind;
}

int32_t EstimateLengthMS(FileReader& file, int64_t count) {
  int64_t start = file.Position();
  int64_t bytes =
      count == -1 ? std::max<int64_t>(0, file.Size() - start) : std::max<int64_t>(0, count);
  // A header at or past the range's end belongs to what follows the range, so the search
  // stops there: an archive of small members then costs its own size, not 64 KiB a member.
  Probe probe = ProbeAndPosition(file, std::min(kSearchSpan, bytes));
  if (probe.Search.End != TSearchEnd::kHeader || probe.Search.Offset - start >= bytes) return -1;
  const FrameHeader& header = probe.Search.Header;
  if (!header.IsMpeg1Layer3()) return -1;
  int64_t kbps = header.BitrateKbps();
  if (kbps == 0) return 0;
  // bytes x 8 / kbps, split so that no range size can overflow.
  return ClampToInt32(bytes / kbps * 8 + bytes % kbps * 8 / kbps);
}

bool AnalyzeMpegStream(FileReader& file, TMpegInfo& info, int64_t limit,
                       const std::function<void()>& pumpMessages) {
  int64_t p = file.Position();
  int64_t frames = 0;
  BitrateSum bitrate;
  FrameHeader last;  // all bits zero until a frame is counted
  while (limit == 0 || p < limit) {
    SearchResult found = FindFrameHeader(file, p, 0);
    if (found.End != TSearchEnd::kHeader) break;
    p = found.Offset;
    // The next member's first frame is not this member's.
    if (limit != 0 && p >= limit) break;
    const FrameHeader& header = found.Header;
    if (!header.IsValid()) {
      ++p;  // a false sync inside audio data
      continue;
    }
    if (!header.IsMpeg1Layer3()) {
      file.Seek(p);
      return false;
    }
    last = header;
    ++frames;
    bitrate.Add(header.BitrateKbps(), frames);
    p += header.FrameLength();
    if (pumpMessages) pumpMessages();
  }
  file.Seek(p);

  int32_t sampleRate = last.SampleRate();
  info.Seconds = ClampToInt32(frames * kSamplesPerFrame / sampleRate);
  info.Bitrate = ClampToInt32(bitrate.Average(frames));
  info.VbrMark = bitrate.Variable ? " (VBR)" : "";
  info.Frames = ClampToInt32(frames);
  info.SampleRate = sampleRate;
  info.ChannelMode = kChannelModeNames[last.ChannelMode()];
  info.Crc = YesNo(!last.ProtectionBit());
  info.Copyrighted = YesNo(last.Copyright());
  info.Original = YesNo(last.Original());
  info.Emphasis = kEmphasisNames[last.Emphasis()];
  return true;
}

std::vector<std::string> MpegInfoLines(const TMpegInfo& info, int64_t startPos, int64_t endPos,
                                       int64_t headerPos) {
  return {
      "Size: " + std::to_string(endPos - startPos) + " bytes",
      "Header found at: " + std::to_string(headerPos - startPos) + " bytes",
      "Length: " + std::to_string(info.Seconds) + " seconds",
      "MPEG 1.0 layer 3",
      std::to_string(info.Bitrate) + "kbit" + info.VbrMark + ", " + std::to_string(info.Frames) +
          " frames",
      std::to_string(info.SampleRate) + "Hz " + info.ChannelMode,
      "CRCs: " + info.Crc,
      "Copyrighted: " + info.Copyrighted,
      "Original: " + info.Original,
      "Emphasis: " + info.Emphasis,
  };
}

}  // namespace varimo
