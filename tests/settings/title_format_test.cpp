#include "settings/title_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varimo {
namespace {

TTrackItem Track(std::string artist, std::string title) {
  TTrackItem track;
  track.Artist = std::move(artist);
  track.Title = std::move(title);
  return track;
}

TListForm Form(int32_t header, std::vector<TFormatItem> items) {
  return {header, std::move(items)};
}

struct LineCase {
  const char* name;
  TListForm form;
  std::string prefix;
  TTrackItem track;
  std::string expected;
};

TEST(TitleFormatTest, TrackLinesReadAsTheFormatSays) {
  const TListForm preset1 = ListFormFromPreset(FormatPresets()[1]);
  const TListForm preset2 = ListFormFromPreset(FormatPresets()[2]);
  TTrackItem numbered = Track("A", "T");
  numbered.Track = "03";
  TTrackItem full = Track("Ar", "Ti");
  full.Album = "Al";
  full.Track = "7";
  full.Year = "1999";
  full.FileName = "CD1\\07 Ti.mp3";
  const TListForm everyKind = Form(0, {{"", 1},
                                       {"|", 0},
                                       {"", 2},
                                       {"|", 0},
                                       {"", 3},
                                       {"|", 0},
                                       {"", 4},
                                       {"|", 0},
                                       {"", 5},
                                       {"|", 0},
                                       {"", 6},
                                       {"|", 0},
                                       {"", 9}});
  const LineCase cases[] = {
      {"default format", DefaultListForm(), "", Track("A", "T"), "A - T"},
      {"default format, no artist", DefaultListForm(), "", Track("", "T"), "T"},
      {"group at the end", preset1, "", Track("A", "T"), "T (A)"},
      {"group at the end, no artist", preset1, "", Track("", "T"), "T"},
      {"track number preset", preset2, "", numbered, "03. A - T"},
      {"small window prefix, numbers off", Form(10, DefaultListForm().Items), "5. ",
       Track("A", "T"), "5. A - T"},
      {"header only gives the prefix", Form(11, {}), "9. ", Track("A", "T"), "9. "},
      {"every kind outside groups", everyKind, "", full, "Ar|Ti|Al|7|1999|07 Ti|07 Ti"},
      {"missing fields insert nothing", everyKind, "", TTrackItem(), "||||||"},
      {"a group of texts alone is never blanked", Form(10, {{"[", 10}, {"]", 10}, {"", 2}}), "",
       Track("", "T"), "[]T"},
      {"a group adds its other kinds' texts, not their fields",
       Form(10, {{"", 12}, {"", 11}, {":", 10}, {"", 2}}), "", Track("A", "T"), "A:T"},
      {"two groups apart are judged apart", Form(10, {{"<", 10}, {"", 2}, {"", 11}, {">", 10}}), "",
       Track("", "T"), "<T"},
      {"negative codes show nothing", Form(0, {{"x", -1}, {"", 2}}), "", Track("A", "T"), "T"},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(FormatTrackLine(c.form, c.prefix, c.track), c.expected) << c.name;
  }
}

TEST(TitleFormatTest, FileNameItemDropsFoldersAndExtension) {
  const struct {
    std::string fileName;
    std::string expected;
  } cases[] = {
      {"CD1\\01 Intro.mp3", "01 Intro"},
      {"dir/track", "track"},
      {"a.b.mp3", "a.b"},
      {"noext", "noext"},
      {"", ""},
      {"dir.d\\name", "name"},
      {"x:y.z", "x:y"},
      {"a.b:c", "a.b:c"},
      {"\x83\x5C.mp3", "\x83\x5C"},  // the second byte of a character is 0x5C
      {"d\\\x83\x5C\x83\x5C.mp3", "\x83\x5C\x83\x5C"},
      {"\x95\x5C\\x.mp3", "x"},
  };
  for (const auto& c : cases) {
    TTrackItem track;
    track.FileName = c.fileName;
    EXPECT_EQ(FormatTrackLine(Form(0, {{"", 6}}), "", track), c.expected) << c.fileName;
  }
}

TEST(TitleFormatTest, FlagsOfTheHeader) {
  const struct {
    int32_t header;
    bool numbers, group;
  } cases[] = {
      {0, false, false}, {1, true, false}, {10, false, true}, {11, true, true}, {21, true, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(ShowsTrackNumbers(Form(c.header, {})), c.numbers) << c.header;
    EXPECT_EQ(HasOmitGroup(Form(c.header, {})), c.group) << c.header;
  }
}

TEST(TitleFormatTest, OneArtistOnEveryTrackIsBlankedUnderAnOmitGroup) {
  const struct {
    const char* name;
    TListForm form;
    std::vector<std::string> artists;
    bool blanked;
  } cases[] = {
      {"same artist", DefaultListForm(), {"A", "A", "A"}, true},
      {"one differs", DefaultListForm(), {"A", "B", "A"}, false},
      {"case differs", DefaultListForm(), {"A", "a"}, false},
      {"single track", DefaultListForm(), {"A"}, true},
      {"header 21 acts as 11", Form(21, DefaultListForm().Items), {"A", "A"}, true},
      {"no omit group",
       ListFormFromPreset({TCaption::kNone, true, {{kFormatArtist, "", false}}}),
       {"A", "A"},
       false},
  };
  for (const auto& c : cases) {
    TTrackList tracks;
    for (const std::string& artist : c.artists) tracks.push_back(Track(artist, "T"));
    ApplySingleArtistBlanking(tracks, c.form);
    for (size_t i = 0; i < tracks.size(); ++i) {
      EXPECT_EQ(tracks[i].Artist, c.blanked ? "" : c.artists[i]) << c.name << " track " << i;
    }
  }
  TTrackList none;
  ApplySingleArtistBlanking(none, DefaultListForm());
  EXPECT_TRUE(none.empty());
}

TEST(TitleFormatTest, PresetsAndTheDefault) {
  const struct {
    int32_t header;
    std::vector<int32_t> codes;
  } expected[] = {{11, {11, 10, 2}}, {11, {2, 10, 11, 10}}, {10, {4, 0, 11, 10, 2}}};
  for (size_t t = 0; t < FormatPresets().size(); ++t) {
    TListForm form = ListFormFromPreset(FormatPresets()[t]);
    std::vector<int32_t> codes;
    for (const TFormatItem& item : form.Items) codes.push_back(item.Code);
    EXPECT_EQ(form.FormatHeader, expected[t].header) << t;
    EXPECT_EQ(codes, expected[t].codes) << t;
    EXPECT_EQ(form.Items.size(), t + 3);
  }
  TListForm byDefault = DefaultListForm();
  EXPECT_EQ(byDefault.FormatHeader, 11);
  EXPECT_EQ(byDefault.Items[1].Text, " - ");
}

TEST(TitleFormatTest, RowsOfTheDialogBuildTheFormat) {
  for (const TFormatPreset& preset : FormatPresets()) {
    std::vector<TFormatRow> rows;
    for (const TPresetItem& item : preset.Items) {
      rows.push_back({item.InGroup, item.Kind, item.Text});
    }
    TListForm built = BuildListForm(rows, preset.ShowNumbers);
    TListForm direct = ListFormFromPreset(preset);
    EXPECT_EQ(built.FormatHeader, direct.FormatHeader) << Caption(preset.Caption);
    ASSERT_EQ(built.Items.size(), direct.Items.size()) << Caption(preset.Caption);
    for (size_t i = 0; i < built.Items.size(); ++i) {
      EXPECT_EQ(built.Items[i].Code, direct.Items[i].Code) << Caption(preset.Caption);
      EXPECT_EQ(built.Items[i].Text, direct.Items[i].Text) << Caption(preset.Caption);
    }
  }
  TListForm odd = BuildListForm(
      {{false, kFormatFileName, "ignored"}, {false, kFormatText, "x"}, {true, 99, ""}}, false);
  ASSERT_EQ(odd.Items.size(), 2u);
  EXPECT_EQ(odd.Items[0].Code, 6);
  EXPECT_EQ(odd.Items[0].Text, "");
  EXPECT_EQ(odd.Items[1].Code, 0);
  EXPECT_EQ(odd.Items[1].Text, "x");
  EXPECT_EQ(odd.FormatHeader, 0);
}

}  // namespace
}  // namespace varimo
