// Writes a seed corpus for every fuzz target into DIR/<target>/, built by the fixtures'
// builders: sound inputs of each form a target reads, so a short run starts deep inside the
// formats instead of at their first byte.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "settings/memory_replacer.h"
#include "settings/settings.h"
#include "support/bmp_builder.h"
#include "support/container_builder.h"
#include "support/id3_builder.h"
#include "support/mpeg_builder.h"

namespace varimo {
namespace {

using Bytes = std::vector<uint8_t>;

class Corpus {
 public:
  explicit Corpus(std::string root) : root_(std::move(root)) { ::mkdir(root_.c_str(), 0755); }

  void Add(const std::string& target, const std::string& name, const Bytes& bytes) {
    const std::string folder = root_ + "/" + target;
    ::mkdir(folder.c_str(), 0755);
    std::ofstream out(folder + "/seed-" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ok_ = ok_ && out.good();
  }
  void Add(const std::string& target, const std::string& name, std::string_view text) {
    Add(target, name, Bytes(text.begin(), text.end()));
  }
  bool Ok() const { return ok_; }

 private:
  std::string root_;
  bool ok_ = true;
};

// A literal's bytes, zero bytes inside it included.
template <size_t N>
std::string Bin(const char (&text)[N]) {
  return std::string(text, N - 1);
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes Member(int index, int64_t ms) {
  const std::string n = std::to_string(index);
  Bytes tag = ID3v2Builder(3).Text("TIT2", "Title " + n).Text("TPE1", "Artist").Build();
  return Concat(Concat(tag, MakeMp3OfDuration(ms)),
                BuildID3v1({"V1 " + n, "Artist", "Album", "2001", "", 1, 0}));
}

const std::vector<std::string> kSheet = {
    "PERFORMER \"Band\"", "TITLE \"Album\"",   "TRACK 01 AUDIO",    "TITLE \"One\"",
    "INDEX 01 00:00:00",  "TRACK 02 AUDIO",    "TITLE \"Two\"",     "PERFORMER \"Guest\"",
    "INDEX 00 00:58:00",  "INDEX 01 01:00:00", "REM TOTAL 02:00:00"};

void Albums(Corpus& c) {
  std::vector<ZipMemberSpec> zip = {{"CD1\\01.mp3", Member(1, 300)},
                                    {"02.mp3", Member(2, 200)},
                                    {"notes.txt", BytesOf("liner notes")}};
  zip[1].Descriptor = ZipDescriptor::kWithSignature;
  zip[1].Extra = InfoZipExtra();
  std::vector<LhaMemberSpec> lha = {{"01.mp3", Member(1, 300)}, {"02.mp3", Member(2, 200)}};
  lha[0].Before = {LhaCommonHeader()};
  PackSpec pack;
  pack.Members = {{"01.mp3", "Dir Artist", "One", Member(1, 300)},
                  {"02.mp3", "", "", Member(2, 200)}};
  PackSpec taggedPack = pack;
  taggedPack.Leading = ID3v2Builder(3).Text("TIT2", "pack").Build();
  taggedPack.BigEndianOffsets = true;
  const Bytes cue =
      Concat(ID3v2Builder(3).CueFrame(CueSheetText(kSheet)).Build(), MakeMp3OfDuration(400));
  for (const char* target : {"load_album_fuzz", "archive_reader_fuzz"}) {
    c.Add(target, "zip", BuildZip(zip));
    c.Add(target, "lha", BuildLha(lha));
  }
  c.Add("load_album_fuzz", "pack", BuildPack(pack));
  c.Add("load_album_fuzz", "tagged-pack", BuildPack(taggedPack));
  c.Add("load_album_fuzz", "cue", cue);
  c.Add("pack_reader_fuzz", "pack", BuildPack(pack));
  c.Add("pack_reader_fuzz", "directory", BuildPackDirectory(taggedPack));
  c.Add("cue_reader_fuzz", "sheet", CueSheetText(kSheet));
  c.Add("cue_reader_fuzz", "time", std::string_view("01:02:03"));
  c.Add("mpeg_fuzz", "tagged", Member(1, 500));
  MpegFrameSpec low;
  low.BitrateIndex = 1;
  low.Crc = true;
  c.Add("mpeg_fuzz", "variable", Concat(MakeMpegStream(low, 5), MakeMp3OfDuration(200)));
  c.Add("tag_reader_fuzz", "v3",
        ID3v2Builder(3).Text("TIT2", "T").Text("TALB", "A").Comment("", "c").Build());
  c.Add("tag_reader_fuzz", "v4",
        ID3v2Builder(4).ExtendedHeader().Text("TPE1", "\x83\x5C").Url("", "http://x").Build());
  c.Add("tag_reader_fuzz", "v1", BuildID3v1({"Title", "Artist", "Album", "1999", "", 7, 12}));
}

void Settings(Corpus& c) {
  // Every key, as Apply and shut-down write them.
  MemoryFiles files;
  MemoryReplacer replacer(files);
  IniFile ini(files, replacer, "ini");
  TSettings settings;
  settings.Option.MP3on3Path = "C:\\Program Files\\MP3on3\\MP3on3.exe";
  settings.ListForm = ListFormFromPreset(FormatPresets()[2]);
  settings.HotKey = {true, {{1, 3, 0x41}, {7, 1, 0x70}}};
  WriteApplySections(ini, settings);
  TShutDownState state;
  state.Width = 275;
  state.Height = state.SavedHeight = 116;
  state.Delete = "1101";
  state.Mode = 3;
  WriteShutDownSections(ini, state);
  const std::string written = FileText(files, "ini");
  c.Add("ini_settings_fuzz", "written", written);
  c.Add("ini_settings_fuzz", "edited",
        std::string_view("; by hand\n[option]\nFontName = \"\x82\x6C\x82\x72 Gothic\" \nPrevKey=\n"
                         "TimerMS=abc\n[ListForm]\nCount=-1\nNumber=21\n[Window]\nState=-2\n"));
  c.Add("title_format_fuzz", "preset",
        written + Bin("\0\0"
                      "5. \0Artist\0Title\0LP\0"
                      "03\0"
                      "2001\0CD1\\01 Intro.mp3"));
  c.Add("title_format_fuzz", "groups",
        std::string("[ListForm]\nCount=4\nItem1=2\nOmit2=1\nText2=/ (/\nOmit3=1\nItem3=1\n"
                    "Omit4=1\nText4=/)/\n") +
            Bin("\0\0\0\0T\0\0\0\0\x83\x5C.mp3"));
  c.Add("skin_colors_fuzz", "pledit",
        std::string_view("[Text]\r\nNormal=#00FF00\r\nCurrent=#FFFFFF\r\nNormalBG=#000000\r\n"
                         "SelectedBG=#0000FF\r\nmbFG=#FFFF00\r\nFont=Arial\r\n"));
  std::string utf16 = "\xFF\xFE";
  for (char ch : std::string("[Text]\r\nNormal=#102030\r\n")) utf16 += std::string{ch, '\0'};
  c.Add("skin_colors_fuzz", "utf16", utf16);
}

uint32_t Pattern(int x, int y) {
  return static_cast<uint32_t>((x * 37) & 0xFF) << 16 |
         static_cast<uint32_t>((y * 53) & 0xFF) << 8 | 0x40;
}

void Bitmaps(Corpus& c) {
  const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  auto index = [](int x, int y) { return static_cast<uint8_t>((x + y) % 5); };
  BmpSpec core = PalettedBmp(7, 3, 8, palette, index);
  core.HeaderSize = 12;
  core.Palette.resize(256);
  BmpSpec topDown = TrueColorBmp(5, 4, 24, Pattern);
  topDown.Height = -4;
  BmpSpec fields = TrueColorBmp(5, 4, 32, Pattern);
  fields.Compression = 3;
  fields.Masks = {0xFF0000, 0xFF00, 0xFF};
  BmpSpec v5 = fields;
  v5.HeaderSize = 124;
  BmpSpec rle8;
  rle8.Width = 6;
  rle8.Height = 3;
  rle8.BitCount = 8;
  rle8.Compression = 1;
  rle8.Palette = palette;
  rle8.Bits = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 1, 4, 2, 0, 0, 6, 3, 0, 1};
  BmpSpec rle4 = rle8;
  rle4.BitCount = 4;
  rle4.Compression = 2;
  rle4.Bits = {6, 0x12, 0, 0, 0, 5, 0x12, 0x34, 0x10, 0, 0, 2, 1, 1, 4, 0x44, 0, 1};
  const struct {
    const char* Name;
    BmpSpec Spec;
  } seeds[] = {
      {"24", TrueColorBmp(5, 4, 24, Pattern)},
      {"32", TrueColorBmp(5, 4, 32, Pattern)},
      {"24-top-down", topDown},
      {"8", PalettedBmp(7, 3, 8, palette, index)},
      {"8-core", core},
      {"4", PalettedBmp(7, 3, 4, palette, index)},
      {"1", PalettedBmp(9, 2, 1, {0, 0xFFFFFF}, [](int x, int) { return x % 2; })},
      {"32-fields", fields},
      {"32-v5", v5},
      {"rle8", rle8},
      {"rle4", rle4},
      {"glyphs", PalettedBmp(155, 18, 4, palette, index)},
  };
  for (const auto& seed : seeds) c.Add("bmp_reader_fuzz", seed.Name, BuildBmp(seed.Spec));
}

void Texts(Corpus& c) {
  c.Add("shift_jis_fuzz", "path", std::string_view("CD1\\01 \x83\x5C\x83\x4E.mp3"));
  c.Add("shift_jis_fuzz", "kana",
        std::string_view("\xB1\xB0\xC3\xA8\xBD\xC4 - \x95\x5C\x8E\xA6:\x81\x5C/x.y"));
  c.Add("shift_jis_fuzz", "latin", std::string_view("Caf\xE9.mp3\\\x81"));
}

}  // namespace
}  // namespace varimo

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
    return 2;
  }
  varimo::Corpus corpus(argv[1]);
  varimo::Albums(corpus);
  varimo::Settings(corpus);
  varimo::Bitmaps(corpus);
  varimo::Texts(corpus);
  if (!corpus.Ok()) {
    std::fprintf(stderr, "fuzz_seeds: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
