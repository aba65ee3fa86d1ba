#include "support/mpeg_builder.h"

#include <algorithm>

namespace varimo {
namespace {

// Bit rates in kbit/s by [MPEG-2][layer - 1][index], from ISO/IEC 11172-3 and 13818-3.
constexpr int kBitrates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
};
constexpr int kSampleRates[2][4] = {{44100, 48000, 32000, 0}, {22050, 24000, 16000, 0}};

bool Lsf(const MpegFrameSpec& spec) {
  return spec.Version != 1;
}
bool KnownLayer(const MpegFrameSpec& spec) {
  return spec.Layer >= 1 && spec.Layer <= 3;
}

// A frame holds (bytes per slot) x (slots per frame) bytes; slots per frame is
// SlotFactor x bit rate / sampling rate.
int SlotBytes(const MpegFrameSpec& spec) {
  return spec.Layer == 1 ? 4 : 1;
}
int64_t SlotFactor(const MpegFrameSpec& spec) {
  if (spec.Layer == 1) return 12;
  return spec.Layer == 3 && Lsf(spec) ? 72 : 144;
}

int64_t CeilDiv(int64_t a, int64_t b) {
  return (a + b - 1) / b;
}

}  // namespace

std::array<uint8_t, 4> MpegHeaderBytes(const MpegFrameSpec& spec) {
  int layerBits = spec.Layer == 0 ? 0 : (4 - spec.Layer) & 3;
  return {
      0xFF,
      static_cast<uint8_t>(0xF0 | (Lsf(spec) ? 0 : 0x08) | (layerBits << 1) | (spec.Crc ? 0 : 1)),
      static_cast<uint8_t>(((spec.BitrateIndex & 15) << 4) | ((spec.SampleRateIndex & 3) << 2) |
                           (spec.Padding ? 2 : 0)),
      static_cast<uint8_t>(((spec.ChannelMode & 3) << 6) | (spec.Copyright ? 8 : 0) |
                           (spec.Original ? 4 : 0) | (spec.Emphasis & 3))};
}

int MpegBitrateKbps(const MpegFrameSpec& spec) {
  if (!KnownLayer(spec) || spec.BitrateIndex < 0 || spec.BitrateIndex > 15) return 0;
  return kBitrates[Lsf(spec)][spec.Layer - 1][spec.BitrateIndex];
}

int MpegSampleRate(const MpegFrameSpec& spec) {
  if (spec.SampleRateIndex < 0 || spec.SampleRateIndex > 3) return 0;
  return kSampleRates[Lsf(spec)][spec.SampleRateIndex];
}

int MpegSamplesPerFrame(const MpegFrameSpec& spec) {
  if (spec.Layer == 1) return 384;
  return spec.Layer == 3 && Lsf(spec) ? 576 : 1152;
}

int MpegFrameLength(const MpegFrameSpec& spec) {
  int kbps = MpegBitrateKbps(spec);
  int rate = MpegSampleRate(spec);
  if (kbps == 0 || rate == 0) return 0;
  int64_t slots = SlotFactor(spec) * kbps * 1000 / rate + (spec.Padding ? 1 : 0);
  return static_cast<int>(slots * SlotBytes(spec));
}

std::vector<uint8_t> MakeMpegFrame(const MpegFrameSpec& spec) {
  auto header = MpegHeaderBytes(spec);
  std::vector<uint8_t> frame(std::max<size_t>(4, static_cast<size_t>(MpegFrameLength(spec))), 0);
  std::copy(header.begin(), header.end(), frame.begin());
  return frame;
}

void AppendMpegFrames(std::vector<uint8_t>& out, const MpegFrameSpec& spec, int64_t frames) {
  std::vector<uint8_t> frame = MakeMpegFrame(spec);
  out.reserve(out.size() + frame.size() * static_cast<size_t>(std::max<int64_t>(frames, 0)));
  for (int64_t i = 0; i < frames; ++i) out.insert(out.end(), frame.begin(), frame.end());
}

std::vector<uint8_t> MakeMpegStream(const MpegFrameSpec& spec, int64_t frames) {
  std::vector<uint8_t> out;
  AppendMpegFrames(out, spec, frames);
  return out;
}

void AppendCbrMpegFrames(std::vector<uint8_t>& out, const MpegFrameSpec& spec, int64_t frames) {
  int64_t rate = MpegSampleRate(spec);
  if (rate == 0) return;
  int64_t slotsNumerator = SlotFactor(spec) * MpegBitrateKbps(spec) * 1000;
  MpegFrameSpec plain = spec;
  plain.Padding = false;
  int64_t baseSlots = slotsNumerator / rate;
  MpegFrameSpec padded = plain;
  padded.Padding = true;
  std::vector<uint8_t> plainFrame = MakeMpegFrame(plain);
  std::vector<uint8_t> paddedFrame = MakeMpegFrame(padded);
  for (int64_t i = 0; i < frames; ++i) {
    int64_t slots = CeilDiv((i + 1) * slotsNumerator, rate) - CeilDiv(i * slotsNumerator, rate);
    const std::vector<uint8_t>& frame = slots > baseSlots ? paddedFrame : plainFrame;
    out.insert(out.end(), frame.begin(), frame.end());
  }
}

std::vector<uint8_t> MakeMp3OfDuration(int64_t durationMs, const MpegFrameSpec& spec) {
  MpegFrameSpec plain = spec;
  plain.Padding = false;
  int64_t bytes = durationMs * MpegBitrateKbps(spec) / 8;
  int length = MpegFrameLength(plain);
  std::vector<uint8_t> out;
  if (bytes <= 0 || length == 0) return out;
  int64_t frames = bytes / length + 1;
  out.reserve(static_cast<size_t>(frames) * static_cast<size_t>(length + SlotBytes(spec)));
  AppendCbrMpegFrames(out, spec, frames);
  out.resize(static_cast<size_t>(bytes));
  return out;
}

}  // namespace varimo
