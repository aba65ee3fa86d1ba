#include "sources/mpeg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "fakes/memory_files.h"
#include "support/mpeg_builder.h"

namespace varimo {
namespace {

using Bytes = std::vector<uint8_t>;

// An open in-memory file with its OS read counter.
struct OpenBytes {
  explicit OpenBytes(Bytes data, int64_t position = 0)
      : bytes(std::move(data)),
        file(OpenMemoryFile(bytes.data(), bytes.size(), counters)),
        reader(*file) {
    reader.Seek(position);
  }
  Bytes bytes;
  TIoCounters counters;
  std::unique_ptr<IFile> file;
  FileReader reader;
};

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}
// Keeps the zero bytes a literal holds.
template <size_t N>
Bytes Literal(const char (&text)[N]) {
  return Bytes(text, text + N - 1);
}
Bytes Zeros(size_t count) {
  return Bytes(count, 0);
}

// An ID3v2 tag of totalSize bytes whose body is full of sync-looking bytes, so that a search
// that does not step over it finds a false header inside.
Bytes Id3v2Tag(uint32_t totalSize) {
  uint32_t body = totalSize - 10;
  Bytes tag = {'I',
               'D',
               '3',
               3,
               0,
               0,
               static_cast<uint8_t>((body >> 21) & 0x7F),
               static_cast<uint8_t>((body >> 14) & 0x7F),
               static_cast<uint8_t>((body >> 7) & 0x7F),
               static_cast<uint8_t>(body & 0x7F)};
  for (uint32_t i = 0; i < body; ++i) tag.push_back(i % 2 ? 0xFB : 0xFF);
  return tag;
}

// A tag header with raw size bytes, as malformed files carry them.
Bytes Id3v2HeaderWithSize(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  return {'I', 'D', '3', 3, 0, 0, a, b, c, d};
}

MpegFrameSpec Spec(int bitrateIndex) {
  MpegFrameSpec spec;
  spec.BitrateIndex = bitrateIndex;
  return spec;
}

Bytes Frames(int64_t count, const MpegFrameSpec& spec = {}) {
  return MakeMpegStream(spec, count);
}

// An LHA level-2 style header of headerSize bytes holding a sync-looking pair at its offset 10.
Bytes LhaHeader(uint16_t headerSize) {
  Bytes header = Zeros(headerSize);
  header[0] = static_cast<uint8_t>(headerSize & 0xFF);
  header[1] = static_cast<uint8_t>(headerSize >> 8);
  std::memcpy(header.data() + 2, "-lh0-", 5);
  header[10] = 0xFF;
  header[11] = 0xFB;
  return header;
}

TEST(MpegProbe, RecognisesContainersAndFindsTheFirstFrameHeader) {
  const Bytes frame = Frames(1);
  struct Case {
    const char* name;
    Bytes bytes;
    int64_t start;
    int32_t result;
    int64_t position;
  } cases[] = {
      {"header at the start", frame, 0, kProbePlain, 0},
      {"header at a later start", Text("junk") + frame, 4, kProbePlain, 4},
      {"empty file", {}, 0, kProbeEnd, 0},
      {"three bytes", Bytes{0xFF, 0xFB, 0x90}, 0, kProbeEnd, 0},
      {"start past the end", frame, 100, kProbeEnd, 100},
      {"plain data before a header", Text("some text") + frame, 0, kProbePlain, 9},
      {"plain data without a header", Text("just text, nothing else"), 0, kProbeEnd, 0},
      {"small zip without a header", Text("PK\x03\x04") + Zeros(2000), 0, kProbeEnd, 0},
      {"zip member data", Text("PK\x03\x04") + Zeros(296) + frame, 0, kProbeZip, 300},
      {"pack directory", Text("Pack") + Zeros(96) + frame, 0, kProbePack, 100},
      {"pack with 64 KiB of no header", Text("Pack") + Zeros(70000) + frame, 0, kProbePack, 0},
      {"lha searched from the header size", LhaHeader(40) + frame, 0, kProbeLha, 40},
      {"lha at a later start", Text("xy") + LhaHeader(40) + frame, 2, kProbeLha, 42},
      {"lha without a header", LhaHeader(40) + Zeros(100), 0, kProbeEnd, 0},
      {"lha method 5 is no container", Literal("\x28\x00-lh5-") + Zeros(10) + frame, 0, kProbePlain,
       17},
      {"lha signature cut by the end", Literal("\x28\x00-lh0"), 0, kProbeEnd, 0},
      {"false sync inside an embedded tag", Text("PK\x03\x04") + Id3v2Tag(500) + frame, 0,
       kProbeZip, 504},
      {"tag at the start", Id3v2Tag(2048) + frame, 0, kProbePlain, 2048},
      {"tag header cut by the end", Literal("ID3\x03\x00\x00"), 0, kProbeEnd, 0},
      {"header at the last searched offset", Zeros(65535) + frame, 0, kProbePlain, 65535},
      {"header one past the searched bytes", Zeros(65536) + frame, 0, kProbePlain, 0},
      {"tag stepping past the searched bytes", Id3v2Tag(70000) + frame, 0, kProbePlain, 0},
  };
  for (Case& c : cases) {
    OpenBytes open(c.bytes, c.start);
    EXPECT_EQ(ProbeStream(open.reader), c.result) << c.name;
    EXPECT_EQ(open.reader.Position(), c.position) << c.name;
  }
}

TEST(MpegProbe, MalformedTagSizesNeverStallOrGoBack) {
  const Bytes frame = Frames(1);
  struct Case {
    const char* name;
    Bytes tag;
  } cases[] = {
      {"size of minus ten: a zero step", Id3v2HeaderWithSize(0, 0, 0, 0xF6)},
      {"negative size", Id3v2HeaderWithSize(0xF0, 0x80, 0xC0, 0x90)},
      {"most negative size", Id3v2HeaderWithSize(0x80, 0x80, 0x80, 0x80)},
      {"small positive step", Id3v2HeaderWithSize(0, 0, 0, 0xFB)},
  };
  for (Case& c : cases) {
    OpenBytes open(c.tag + frame);
    EXPECT_EQ(ProbeStream(open.reader), kProbePlain) << c.name;
    EXPECT_EQ(open.reader.Position(), 10) << c.name;
  }
}

TEST(MpegProbe, LongSearchCostsAFewOsReads) {
  OpenBytes open(Text("PK\x03\x04") + Zeros(60 * 1024) + Frames(1));
  EXPECT_EQ(ProbeStream(open.reader), kProbeZip);
  EXPECT_EQ(open.reader.Position(), 4 + 60 * 1024);
  EXPECT_LE(open.counters.Reads, 8u);
}

TEST(MpegEstimate, TimesTheRangeByItsFirstFrame) {
  MpegFrameSpec mpeg2 = Spec(9);
  mpeg2.Version = 2;
  MpegFrameSpec layer2 = Spec(9);
  layer2.Layer = 2;
  const Bytes text = Text(std::string(1000, 't'));
  struct Case {
    const char* name;
    Bytes bytes;
    int64_t start;
    int64_t count;
    int32_t expected;
  } cases[] = {
      {"5000000 bytes at 128 kbit/s", MakeMp3OfDuration(312500), 0, 5000000, 312500},
      {"the rest of the file", MakeMp3OfDuration(312500), 0, -1, 312500},
      {"the rest from a later start", text + MakeMp3OfDuration(10000), 1000, -1, 10000},
      {"tags count", Id3v2Tag(2048) + Frames(10), 0, -1, (2048 + 4170) * 8 / 128},
      {"320 kbit/s", Frames(100, Spec(14)), 0, -1, 104400 * 8 / 320},
      {"free format", Frames(10, Spec(0)), 0, -1, 0},
      {"bit-rate index 15", Frames(10, Spec(15)), 0, -1, 0},
      {"MPEG-2 Layer III", Frames(10, mpeg2), 0, -1, -1},
      {"MPEG-1 Layer II", Frames(10, layer2), 0, -1, -1},
      {"no header before the end", text, 0, -1, -1},
      {"no header in 64 KiB", Zeros(70000) + Frames(10), 0, -1, -1},
      {"header only after the range", text + Frames(10), 0, 1000, -1},
      {"header at the range's last byte", text + Frames(10), 0, 1001, 1001 * 8 / 128},
      {"empty range", Frames(10), 0, 0, -1},
      {"start past the end", Frames(10), 5000, -1, -1},
      {"range far past the end", Frames(10, Spec(1)), 0, std::numeric_limits<int64_t>::max(),
       std::numeric_limits<int32_t>::max()},
  };
  for (Case& c : cases) {
    OpenBytes open(c.bytes, c.start);
    EXPECT_EQ(EstimateLengthMS(open.reader, c.count), c.expected) << c.name;
  }
}

TEST(MpegEstimate, SearchesNoFurtherThanItsRange) {
  // An archive of many small members times each one; searching 64 KiB past every member's
  // end would read the archive over again for each of them.
  struct Case {
    const char* name;
    Bytes bytes;
    int64_t count;
    int32_t expected;
  } cases[] = {
      {"short range before 64 KiB of no header", Text("abc") + Zeros(70000), 3, -1},
      {"short range before a far header", Text("abc") + Zeros(60000) + Frames(3), 3, -1},
      {"header inside a short range", Zeros(5) + Frames(3), 6, 6 * 8 / 128},
  };
  for (Case& c : cases) {
    OpenBytes open(c.bytes);
    EXPECT_EQ(EstimateLengthMS(open.reader, c.count), c.expected) << c.name;
    EXPECT_LE(open.counters.BytesRead, FileReader::kDefaultWindow) << c.name;
  }
}

// Every field of the record, so that a case states all of it.
struct Expected {
  int32_t seconds, bitrate;
  const char* vbrMark;
  int32_t frames, sampleRate;
  const char* channelMode;
  const char* crc;
  const char* copyrighted;
  const char* original;
  const char* emphasis;
};

void ExpectInfo(const TMpegInfo& info, const Expected& e, const char* name) {
  EXPECT_EQ(info.Seconds, e.seconds) << name;
  EXPECT_EQ(info.Bitrate, e.bitrate) << name;
  EXPECT_EQ(info.VbrMark, e.vbrMark) << name;
  EXPECT_EQ(info.Frames, e.frames) << name;
  EXPECT_EQ(info.SampleRate, e.sampleRate) << name;
  EXPECT_EQ(info.ChannelMode, e.channelMode) << name;
  EXPECT_EQ(info.Crc, e.crc) << name;
  EXPECT_EQ(info.Copyrighted, e.copyrighted) << name;
  EXPECT_EQ(info.Original, e.original) << name;
  EXPECT_EQ(info.Emphasis, e.emphasis) << name;
}

MpegFrameSpec Flagged() {
  MpegFrameSpec spec;
  spec.SampleRateIndex = 1;
  spec.ChannelMode = 3;
  spec.Crc = true;
  spec.Copyright = true;
  spec.Original = false;
  spec.Emphasis = 3;
  return spec;
}

TEST(MpegAnalysis, CountsFramesAndReportsTheLastOne) {
  MpegFrameSpec emphasis2;
  emphasis2.Emphasis = 2;
  MpegFrameSpec stereo;
  stereo.ChannelMode = 0;
  const Bytes ten = Frames(10);  // 4170 bytes
  const Expected tenFrames = {0, 128, "", 10, 44100, "JointStereo", "No", "No", "Yes", "None"};
  struct Case {
    const char* name;
    Bytes bytes;
    int64_t start, limit;
    Expected expected;
  } cases[] = {
      {"10000 frames",
       Frames(10000),
       0,
       0,
       {261, 128, "", 10000, 44100, "JointStereo", "No", "No", "Yes", "None"}},
      {"bit rate changes",
       Frames(1000) + Frames(1000, Spec(11)),
       0,
       0,
       {52, 160, " (VBR)", 2000, 44100, "JointStereo", "No", "No", "Yes", "None"}},
      {"limit before the first header",
       Text("junk") + ten,
       0,
       3,
       {0, 0, "", 0, 44100, "Stereo", "Yes", "No", "No", "None"}},
      {"no header at all",
       Text("plain text"),
       0,
       0,
       {0, 0, "", 0, 44100, "Stereo", "Yes", "No", "No", "None"}},
      {"next member starts at the limit", ten + Text("TAG!") + Frames(10, stereo), 0, 4174,
       tenFrames},
      {"limit inside the last frame", ten + Frames(10, stereo), 0, 4169, tenFrames},
      {"false sync between frames", Frames(5) + Bytes{0xFF, 0xFF, 0x00, 0x00} + Frames(5), 0, 0,
       tenFrames},
      {"invalid emphasis stepped over", Frames(5) + Frames(1, emphasis2) + Frames(5), 0, 0,
       tenFrames},
      {"tag between frames", Frames(5) + Id3v2Tag(300) + Frames(5), 0, 0, tenFrames},
      {"tag before the frames", Id3v2Tag(2048) + ten, 0, 0, tenFrames},
      {"start inside a frame", Zeros(1) + ten, 1, 0, tenFrames},
      {"last frame gives the flags",
       Frames(999) + Frames(1, Flagged()),
       0,
       0,
       {24, 128, "", 1000, 48000, "SingleChannel", "Yes", "Yes", "No", "CCIT J.17"}},
      {"ends with a cut frame", ten + Bytes{0xFF, 0xFB, 0x90}, 0, 0, tenFrames},
  };
  for (Case& c : cases) {
    OpenBytes open(c.bytes, c.start);
    TMpegInfo info;
    int pumps = 0;
    EXPECT_TRUE(AnalyzeMpegStream(open.reader, info, c.limit, [&] { ++pumps; })) << c.name;
    ExpectInfo(info, c.expected, c.name);
    EXPECT_EQ(pumps, c.expected.frames) << c.name;
  }
}

TEST(MpegAnalysis, RefusesOtherVersionsAndLayersLeavingTheRecord) {
  MpegFrameSpec mpeg2;
  mpeg2.Version = 2;
  MpegFrameSpec layer1;
  layer1.Layer = 1;
  layer1.BitrateIndex = 4;
  struct Case {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"MPEG-2 Layer III first", Frames(3, mpeg2) + Frames(3)},
      {"MPEG-1 Layer I after good frames", Frames(3) + Frames(3, layer1)},
  };
  for (Case& c : cases) {
    OpenBytes open(c.bytes);
    TMpegInfo info;
    info.Frames = 77;
    info.ChannelMode = "untouched";
    EXPECT_FALSE(AnalyzeMpegStream(open.reader, info, 0)) << c.name;
    EXPECT_EQ(info.Frames, 77) << c.name;
    EXPECT_EQ(info.ChannelMode, "untouched") << c.name;
  }
}

TEST(MpegAnalysis, ReadsThroughTheBufferNotPerFrame) {
  OpenBytes open(Frames(10000));
  TMpegInfo info;
  ASSERT_TRUE(AnalyzeMpegStream(open.reader, info, 0));
  EXPECT_EQ(info.Frames, 10000);
  EXPECT_LT(open.counters.Reads, 10000u / 20);
}

Bytes Id3v1Block() {
  return Text("TAG") + Zeros(125);
}

TEST(MpegInfoLines, ShowTheMemberAsTheFileInformationDoes) {
  struct Case {
    const char* name;
    Bytes member;
    std::vector<std::string> lines;
  } cases[] = {
      {"tagged constant bit rate",
       [] {
         MpegFrameSpec spec;
         spec.Original = true;
         Bytes member = Id3v2Tag(2048);
         AppendCbrMpegFrames(member, spec, 10000);
         return member + Id3v1Block();
       }(),
       {"Size: 4181768 bytes", "Header found at: 2048 bytes", "Length: 261 seconds",
        "MPEG 1.0 layer 3", "128kbit, 10000 frames", "44100Hz JointStereo", "CRCs: No",
        "Copyrighted: No", "Original: Yes", "Emphasis: None"}},
      {"variable bit rate",
       Frames(1000) + Frames(1000, Spec(11)) + Id3v1Block(),
       {"Size: 1043128 bytes", "Header found at: 0 bytes", "Length: 52 seconds", "MPEG 1.0 layer 3",
        "160kbit (VBR), 2000 frames", "44100Hz JointStereo", "CRCs: No", "Copyrighted: No",
        "Original: Yes", "Emphasis: None"}},
  };
  for (Case& c : cases) {
    // The member sits after another one in the album file.
    const int64_t startPos = 12 * 417;
    OpenBytes open(Frames(12) + c.member + Frames(3), startPos);
    const int64_t endPos = startPos + static_cast<int64_t>(c.member.size());
    ASSERT_NE(ProbeStream(open.reader), kProbeEnd) << c.name;
    int64_t headerPos = open.reader.Position();
    TMpegInfo info;
    ASSERT_TRUE(AnalyzeMpegStream(open.reader, info, endPos)) << c.name;
    EXPECT_EQ(MpegInfoLines(info, startPos, endPos, headerPos), c.lines) << c.name;
  }
}

TEST(MpegBuilder, FramesHaveTheLengthsTheirHeadersImply) {
  MpegFrameSpec padded;
  padded.Padding = true;
  MpegFrameSpec layer1;
  layer1.Layer = 1;
  layer1.BitrateIndex = 12;  // 384 kbit/s
  layer1.SampleRateIndex = 2;
  MpegFrameSpec mpeg2;
  mpeg2.Version = 2;
  mpeg2.BitrateIndex = 8;  // 64 kbit/s
  mpeg2.SampleRateIndex = 1;
  struct Case {
    const char* name;
    MpegFrameSpec spec;
    int length;
    std::array<uint8_t, 4> header;
  } cases[] = {
      {"128 kbit/s 44100 Hz", MpegFrameSpec{}, 417, {0xFF, 0xFB, 0x90, 0x44}},
      {"with padding", padded, 418, {0xFF, 0xFB, 0x92, 0x44}},
      {"Layer I, 384 kbit/s 32000 Hz", layer1, 576, {0xFF, 0xFF, 0xC8, 0x44}},
      {"MPEG-2 Layer III 64 kbit/s 24000 Hz", mpeg2, 192, {0xFF, 0xF3, 0x84, 0x44}},
      {"free format", Spec(0), 0, {0xFF, 0xFB, 0x00, 0x44}},
  };
  for (Case& c : cases) {
    EXPECT_EQ(MpegFrameLength(c.spec), c.length) << c.name;
    EXPECT_EQ(MpegHeaderBytes(c.spec), c.header) << c.name;
  }
  EXPECT_EQ(MakeMp3OfDuration(312500).size(), 5000000u);
}

}  // namespace
}  // namespace varimo
