#include "sources/tag_reader.h"

#include <gtest/gtest.h>

#include <set>

#include "support/id3_builder.h"

namespace varimo {
namespace {

TID3v2Info ReadFrames(const std::vector<uint8_t>& tag, bool full = true) {
  TID3v2Info info;
  ReadID3v2Frames(info, tag.data(), tag.size(), full);
  return info;
}

TEST(TagReader, ID3v2SizeComesFromTheUnmaskedHeaderBytes) {
  struct Case {
    std::string header;
    int32_t expected;
  } cases[] = {
      {std::string("ID3\3\0\0\0\0\2\1", 10), 2 * 128 + 1 + 10},
      {std::string("ID3\4\0\0\x7F\x7F\x7F\x7F", 10), 0x0FFFFFFF + 10},
      {std::string("ID3\3\0\0\0\0\0\xFF", 10), 255 + 10},
      {std::string("ID3\3\0\0\0\0\2", 9), 0},
      {std::string("TAG\3\0\0\0\0\2\1", 10), 0},
  };
  for (const Case& c : cases) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(c.header.data());
    EXPECT_EQ(GetID3v2Size(bytes, c.header.size()), c.expected) << c.expected;
  }
  const std::vector<uint8_t> tag = ID3v2Builder().Text("TIT2", "x").Padding(300).Build();
  EXPECT_EQ(GetID3v2Size(tag.data(), tag.size()), static_cast<int32_t>(tag.size()));
}

TEST(TagReader, GenreTableHasUniqueNamesWithItsOwnSpellings) {
  std::set<std::string> names;
  for (const char* name : GenreNames) {
    EXPECT_STRNE(name, "");
    names.insert(name);
  }
  EXPECT_EQ(names.size(), GenreNames.size());
  EXPECT_STREQ(GenreNames[0], "Blues");
  EXPECT_STREQ(GenreNames[17], "Rock");
  EXPECT_STREQ(GenreNames[67], "Psychadelic");
  EXPECT_STREQ(GenreNames[85], "Bebob");
  EXPECT_STREQ(GenreNames[118], "Phythmic Soul");
  EXPECT_STREQ(GenreNames[147], "Synthpop");
}

TEST(TagReader, ID3v1TrackNumberDependsOnTheCommentLength) {
  struct Case {
    const char* name;
    std::string comment;
    std::optional<uint8_t> track;
    std::string expectedTrack, expectedComment;
  } cases[] = {
      {"28-byte comment", std::string(28, 'c'), 7, "07", std::string(28, 'c')},
      {"29-byte comment", std::string(29, 'c'), std::nullopt, "", std::string(29, 'c')},
      {"30-byte comment", std::string(30, 'c'), std::nullopt, "", std::string(30, 'c')},
      // Byte 125 is not looked at: the comment ends at its first zero byte.
      {"stray byte 125", std::string("abc") + std::string(25, '\0') + "x", 12, "12", "abc"},
      {"track 200", "", 200, "200", ""},
      {"track byte 0", "hi  ", std::nullopt, "", "hi"},
  };
  for (const Case& c : cases) {
    TID3v1Info info;
    const std::vector<uint8_t> block = BuildID3v1({"", "", "", "", c.comment, c.track});
    ASSERT_TRUE(ReadID3v1(info, block.data(), block.size(), true)) << c.name;
    EXPECT_EQ(info.Track, c.expectedTrack) << c.name;
    EXPECT_EQ(info.Comment, c.expectedComment) << c.name;
  }
}

TEST(TagReader, ID3v1FieldsAndGenre) {
  TID3v1Fields fields{"Title   ", std::string("A\0B", 3), "Album", "1999", "note ", 5, 0};
  const std::vector<uint8_t> block = BuildID3v1(fields);
  TID3v1Info full;
  ASSERT_TRUE(ReadID3v1(full, block.data(), block.size(), true));
  EXPECT_EQ(full.Title, "Title");
  EXPECT_EQ(full.Artist, std::string("A\0B", 3));
  EXPECT_EQ(full.Album, "Album");
  EXPECT_EQ(full.Year, "1999");
  EXPECT_EQ(full.Track, "05");
  EXPECT_EQ(full.Genre, "Blues");

  TID3v1Info brief;
  ASSERT_TRUE(ReadID3v1(brief, block.data(), block.size(), false));
  EXPECT_EQ(brief.Comment, "note ");
  EXPECT_EQ(brief.Genre, "");

  for (uint8_t genre : {148, 255}) {
    fields.Genre = genre;
    const std::vector<uint8_t> unknown = BuildID3v1(fields);
    TID3v1Info info;
    ASSERT_TRUE(ReadID3v1(info, unknown.data(), unknown.size(), true));
    EXPECT_EQ(info.Genre, "") << int{genre};
  }
}

TEST(TagReader, ID3v1NeedsTagAndAWholeBlock) {
  std::vector<uint8_t> block = BuildID3v1({"Title", "", "", "", "", std::nullopt, 0});
  TID3v1Info info;
  info.Title = "kept";
  EXPECT_FALSE(ReadID3v1(info, block.data(), 127, true));
  block[0] = 'X';
  EXPECT_FALSE(ReadID3v1(info, block.data(), block.size(), true));
  EXPECT_EQ(info.Title, "kept");
}

TEST(TagReader, ShortModeReadsOnlyTheTrackFields) {
  const std::vector<uint8_t> tag = ID3v2Builder()
                                       .Text("TPE1", "Artist")
                                       .Text("TIT2", std::string("Title \0\0", 8))
                                       .Text("TALB", "Album")
                                       .Text("TRCK", "3/12")
                                       .Text("TYER", "1999")
                                       .Comment("", "Comment")
                                       .Text("TCON", "(17)")
                                       .Text("TCOM", "Composer")
                                       .Text("TOPE", "Original")
                                       .Text("TCOP", "Copyright")
                                       .Url("", "http://example.org/")
                                       .Text("TENC", "Encoded")
                                       .Text("TSSE", "Encoder")
                                       .Build();
  const TID3v2Info full = ReadFrames(tag, true);
  EXPECT_EQ(full.Artist, "Artist");
  EXPECT_EQ(full.Title, "Title");
  EXPECT_EQ(full.Album, "Album");
  EXPECT_EQ(full.Track, "3/12");
  EXPECT_EQ(full.Year, "1999");
  EXPECT_EQ(full.Comment, "Comment");
  EXPECT_EQ(full.Genre, "Rock");
  EXPECT_EQ(full.Composer, "Composer");
  EXPECT_EQ(full.OrigArtist, "Original");
  EXPECT_EQ(full.Copyright, "Copyright");
  EXPECT_EQ(full.URL, "http://example.org/");
  EXPECT_EQ(full.Encoded, "Encoded");
  EXPECT_EQ(full.Encoder, "Encoder");

  const TID3v2Info brief = ReadFrames(tag, false);
  EXPECT_EQ(brief.Artist, "Artist");
  EXPECT_EQ(brief.Year, "1999");
  for (const std::string* field :
       {&brief.Comment, &brief.Genre, &brief.Composer, &brief.URL, &brief.Encoder}) {
    EXPECT_EQ(*field, "");
  }
}

TEST(TagReader, OnlySingleByteFramesAreReadAndTheLastOneWins) {
  const std::string utf16Title("\x01\xFF\xFEX\0", 5);
  EXPECT_EQ(
      ReadFrames(ID3v2Builder().Frame("TIT2", utf16Title).Frame("TPE1", utf16Title).Build()).Title,
      "");
  const TID3v2Info info = ReadFrames(ID3v2Builder()
                                         .Text("TIT2", "First")
                                         .Frame("TPE1", utf16Title)
                                         .Text("TIT2", "Second")
                                         .Build());
  EXPECT_EQ(info.Title, "Second");
  EXPECT_EQ(info.Artist, "");
}

TEST(TagReader, CommentSkipsLanguageAndDescription) {
  struct Case {
    std::string data;
    std::string expected;
  } cases[] = {
      {std::string("\0engDescript\0abc", 16), "abc"},
      {std::string("\0eng\0abc\0\0\0", 11), "abc"},
      {std::string("\0engno terminator", 17), ""},
      {std::string("\0en", 3), ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadFrames(ID3v2Builder().Frame("COMM", c.data).Build()).Comment, c.expected)
        << c.data;
  }
}

TEST(TagReader, GenreReferencesInParentheses) {
  struct Case {
    std::string value, expected;
  } cases[] = {
      {"(17)", "Rock"},
      {"(17)Rock & Roll", "Rock & Roll"},
      {"((Live))", "(Live))"},
      {"Jazz", "Jazz"},
      {"(200)", ""},
      {"(0)", "Blues"},
      {"(RX)", "(RX)"},
      {"(CR)", "(CR)"},
      {"(17", "(17"},
      {"()", "()"},
      {"(99999999999999999999)", ""},
      // A signed reference is still a number, just not one the table holds.
      {"(-1)", ""},
      {"(-0)", "Blues"},
      {"(+17)", "Rock"},
      {"(-1)Live", "Live"},
      {"(-)", "(-)"},
      {"(--1)", "(--1)"},
  };
  for (const Case& c : cases) {
    const TID3v2Info info =
        ReadFrames(ID3v2Builder().Text("TCON", c.value).Text("TIT2", "After").Build());
    EXPECT_EQ(info.Genre, c.expected) << c.value;
    EXPECT_EQ(info.Title, "After") << c.value;
  }
}

TEST(TagReader, YearFallsBackToTheRecordingDate) {
  struct Case {
    const char* name;
    ID3v2Builder tag;
    std::string expected;
  } cases[] = {
      {"TDRC only", ID3v2Builder(4).Text("TDRC", "2004-05-06"), "2004"},
      {"TYER first", ID3v2Builder(4).Text("TYER", "1999").Text("TDRC", "2004"), "1999"},
      {"TYER last", ID3v2Builder(4).Text("TDRC", "2004").Text("TYER", "1999"), "1999"},
      {"short TDRC", ID3v2Builder(4).Text("TDRC", "98"), "98"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadFrames(c.tag.Build(), false).Year, c.expected) << c.name;
  }
}

TEST(TagReader, Version4FrameSizesAreSynchsafeOrPlain) {
  const std::string c198(198, 'c');
  const std::string lower(251, 'x');
  const std::string upper(251, 'A');
  struct Case {
    const char* name;
    ID3v2Builder tag;
    std::string comment, title;
  } cases[] = {
      // 203 is 0x01 0x4B synchsafe; read plain it would swallow the title frame.
      {"synchsafe 203", ID3v2Builder(4).Comment("", c198).Text("TIT2", "T"), c198, "T"},
      {"plain 203", ID3v2Builder(4).PlainFrameSizes().Comment("", c198).Text("TIT2", "T"), c198,
       "T"},
      // Plain 256 read synchsafe is 128, which ends inside the comment text.
      {"plain 256", ID3v2Builder(4).PlainFrameSizes().Comment("", lower).Text("TIT2", "T"), lower,
       "T"},
      {"plain 256 before padding", ID3v2Builder(4).PlainFrameSizes().Comment("", lower).Padding(9),
       lower, ""},
      {"plain 256 at the end", ID3v2Builder(4).PlainFrameSizes().Comment("", lower), lower, ""},
      {"synchsafe 256", ID3v2Builder(4).Comment("", lower).Text("TIT2", "T"), lower, "T"},
      // Version 3 sizes are plain even where the synchsafe reading would look plausible.
      {"version 3", ID3v2Builder(3).Comment("", upper).Text("TIT2", "T"), upper, "T"},
  };
  for (const Case& c : cases) {
    const TID3v2Info info = ReadFrames(c.tag.Build());
    EXPECT_EQ(info.Comment, c.comment) << c.name;
    EXPECT_EQ(info.Title, c.title) << c.name;
  }
}

TEST(TagReader, ExtendedHeaderAndPaddingLeaveTheFramesReadable) {
  for (uint8_t version : {3, 4}) {
    const TID3v2Info info = ReadFrames(
        ID3v2Builder(version).ExtendedHeader().Text("TIT2", "Title").Padding(8192).Build());
    EXPECT_EQ(info.Title, "Title") << int{version};
  }
  // A broken extended-header size moves the walk's start: a start inside the tag header still
  // steps forward to the frames, one before the tag or past them finds nothing.
  struct Case {
    const char* size;
    std::string expected;
  } cases[] = {
      {"\xFF\xFF\xFF\xFF", "Title"}, {"\xFF\xFF\xFF\xF6", "Title"},
      {"\xFF\xFF\xFF\xF5", ""},      {"\x80\0\0\0", ""},
      {"\x7F\xFF\xFF\xFF", ""},      {"\0\0\x10\0", ""},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> tag = ID3v2Builder(4).ExtendedHeader().Text("TIT2", "Title").Build();
    std::copy_n(c.size, 4, tag.begin() + 10);
    EXPECT_EQ(ReadFrames(tag).Title, c.expected) << ReadUInt32BE(tag.data() + 10);
  }
}

TEST(TagReader, ReadsNothingPastTheBytesGiven) {
  std::vector<uint8_t> tag =
      ID3v2Builder().Text("TIT2", "Title").Text("TALB", "Album").Padding(16).Build();
  tag.resize(tag.size() - 16 - 3);
  const TID3v2Info info = ReadFrames(tag);
  EXPECT_EQ(info.Title, "Title");
  EXPECT_EQ(info.Album, "");
}

TEST(TagReader, FrameHeadersAreLookedForUpToTenBytesBeforeTheEnd) {
  const std::string emptyTitle("TIT2\0\0\0\0\0\0", 10);
  struct Case {
    const char* name;
    std::string tail;
    std::string expected;
  } cases[] = {
      // Read, the empty frame would replace the title; its encoding byte is the byte after it.
      {"header in the last ten bytes", emptyTitle, "First"},
      {"header one byte earlier", emptyTitle + std::string(1, '\0'), ""},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> tag = ID3v2Builder().Text("TIT2", "First").Raw(c.tail).Build();
    EXPECT_EQ(ReadFrames(tag).Title, c.expected) << c.name;
  }
}

TEST(TagReader, ExtendedHeaderIsSkippedFromVersion3On) {
  struct Case {
    uint8_t version;
    std::string expected;
  } cases[] = {{2, "Title"}, {3, ""}, {4, ""}, {255, ""}};
  for (const Case& c : cases) {
    // The flag without an extended header: skipping one reads the frame id as its size.
    std::vector<uint8_t> tag = ID3v2Builder(3).Text("TIT2", "Title").Build();
    tag[3] = c.version;
    tag[5] = 0x40;
    EXPECT_EQ(ReadFrames(tag).Title, c.expected) << int{c.version};
  }
}

TEST(TagReader, ABrokenFrameHeaderIsSteppedOver) {
  const TID3v2Info info = ReadFrames(ID3v2Builder()
                                         .Raw(std::string("TPE1\x7F\xFF\xFF\xFF\0\0\0", 11))
                                         .Raw(std::string("TALB\xFF\xFF\xFF\xF0\0\0\0", 11))
                                         .Text("TIT2", "Title")
                                         .Build());
  EXPECT_EQ(info.Title, "Title");
  EXPECT_EQ(info.Artist, "");
}

}  // namespace
}  // namespace varimo
