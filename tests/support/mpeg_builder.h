#pragma once
// Builds MPEG audio frames for tests and benchmarks: headers from their fields, whole frames of
// the length their header implies, streams of frames, and MP3 data of a chosen duration.

#include <array>
#include <cstdint>
#include <vector>

namespace varimo {

// The fields of one frame header. Indices are the raw header values, so invalid ones (bit-rate
// index 15, sampling-rate index 3, emphasis 2, layer 0 for the reserved layer bits) can be built.
struct MpegFrameSpec {
  int Version = 1;          // 1: MPEG-1, 2: MPEG-2 (ID bit 0)
  int Layer = 3;            // 1 to 3; 0 writes the reserved layer bits 00
  int BitrateIndex = 9;     // 128 kbit/s for MPEG-1 Layer III
  int SampleRateIndex = 0;  // 44100 Hz for MPEG-1
  bool Padding = false;
  int ChannelMode = 1;  // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
  bool Crc = false;     // true clears the protection bit: a CRC follows the header
  bool Copyright = false;
  bool Original = true;
  int Emphasis = 0;
};

std::array<uint8_t, 4> MpegHeaderBytes(const MpegFrameSpec& spec);

// kbit/s and Hz of the header's version and layer; 0 for free format or an invalid index.
int MpegBitrateKbps(const MpegFrameSpec& spec);
int MpegSampleRate(const MpegFrameSpec& spec);
int MpegSamplesPerFrame(const MpegFrameSpec& spec);

// Bytes of the frame, header and padding included; 0 when the header gives no length.
int MpegFrameLength(const MpegFrameSpec& spec);

// The header followed by zero bytes up to the frame length (just the header when the length is
// undefined). Zero bytes never look like a sync, so the frames hold no false headers.
std::vector<uint8_t> MakeMpegFrame(const MpegFrameSpec& spec);

// Appends frames identical to spec's (its padding bit on every one).
void AppendMpegFrames(std::vector<uint8_t>& out, const MpegFrameSpec& spec, int64_t frames);
std::vector<uint8_t> MakeMpegStream(const MpegFrameSpec& spec, int64_t frames);

// Appends frames padded as an encoder pads a constant bit rate (spec.Padding is ignored): the
// stream is as long as frames at the exact rate would be, rounded up, the first frame padded.
void AppendCbrMpegFrames(std::vector<uint8_t>& out, const MpegFrameSpec& spec, int64_t frames);

// Exactly durationMs * kbit/s / 8 bytes of constant-bit-rate frames, the last one cut where the
// bytes run out, so that a length estimate from the bit rate gives durationMs. Needs a valid
// bit rate and sampling rate in spec.
std::vector<uint8_t> MakeMp3OfDuration(int64_t durationMs, const MpegFrameSpec& spec = {});

}  // namespace varimo
