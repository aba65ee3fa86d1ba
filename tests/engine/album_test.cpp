#include "engine/album.h"

#include <gtest/gtest.h>

#include "fakes/memory_files.h"
#include "support/container_builder.h"
#include "support/id3_builder.h"
#include "support/mpeg_builder.h"

namespace varimo {
namespace {

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A member of exactly durationMs at 128 kbit/s, optionally wrapped in tags.
std::vector<uint8_t> Mp3(int64_t durationMs, const std::vector<uint8_t>& id3v2 = {},
                         const std::vector<uint8_t>& id3v1 = {}) {
  return Concat(Concat(id3v2, MakeMp3OfDuration(durationMs)), id3v1);
}

struct Built {
  TAlbumState album;
  TAlbumBuild build;
  int32_t topIndex = 7;
};

class AlbumTest : public ::testing::Test {
 protected:
  Built Load(const std::vector<uint8_t>& bytes, TAlbumState album = {},
             const std::string& exclusions = "", int32_t mode = 0, bool blank = false) {
    files_.Add("album", bytes);
    Built b;
    b.album = std::move(album);
    TAlbumSettings settings;
    settings.ReadExclusions = [&] {
      ++exclusionReads_;
      return exclusions;
    };
    const TListForm format = DefaultListForm();
    if (blank) settings.Format = &format;
    settings.Mode = mode;
    b.build = LoadAlbum(b.album, files_, "album", settings, b.topIndex);
    return b;
  }

  MemoryFiles files_;
  int exclusionReads_ = 0;
};

TEST_F(AlbumTest, ZipMembersGetConsecutiveStartsLengthsAndTimes) {
  Built b = Load(BuildZip({{"a.mp3", Mp3(60000)}, {"b.mp3", Mp3(90000)}, {"c.mp3", Mp3(30000)}}));
  ASSERT_TRUE(b.build.Opened);
  EXPECT_EQ(b.album.AlbumKind, kAlbumZip);
  ASSERT_EQ(b.album.Tracks.size(), 3u);
  const int32_t starts[] = {0, 60000, 150000}, lengths[] = {60000, 90000, 30000};
  const char* times[] = {"0100", "0130", "0030"};
  const char* titles[] = {"a", "b", "c"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(b.album.Tracks[i].StartMS, starts[i]);
    EXPECT_EQ(b.album.Tracks[i].LengthMS, lengths[i]);
    EXPECT_EQ(b.album.Tracks[i].Time, times[i]);
    EXPECT_EQ(b.album.Tracks[i].Title, titles[i]);
  }
  EXPECT_EQ(b.topIndex, 0);
  EXPECT_EQ(b.album.SeekBaseMS, 0);
}

TEST_F(AlbumTest, MembersThatAreNotAudioAreDroppedAndTheNextStartsWhereThePreviousEnded) {
  std::vector<uint8_t> text = BytesOf("just some liner notes, no frames here");
  Built b = Load(BuildZip({{"1.mp3", Mp3(60000)}, {"notes.txt", text}, {"2.mp3", Mp3(30000)}}));
  ASSERT_EQ(b.album.Tracks.size(), 2u);
  EXPECT_EQ(b.album.Tracks[1].Title, "2");
  EXPECT_EQ(b.album.Tracks[1].StartMS, 60000);
  EXPECT_EQ(b.album.Tracks[0].LengthMS, 60000);
}

TEST_F(AlbumTest, TrackTimesCountWholeMinutesAndSeconds) {
  struct Case {
    int32_t ms;
    const char* text;
  } cases[] = {{0, "0000"}, {999, "0000"}, {61000, "0101"}, {3599999, "5959"}, {6000000, "10000"}};
  for (const Case& c : cases) EXPECT_EQ(TrackTimeText(c.ms), c.text) << c.ms;
}

TEST_F(AlbumTest, FirstBuildRestoresExclusionsAndTheSavedCurrentTrack) {
  std::vector<ZipMemberSpec> members;
  for (int i = 0; i < 5; ++i) members.push_back({"t" + std::to_string(i) + ".mp3", Mp3(1000)});
  std::vector<uint8_t> zip = BuildZip(members);

  struct Case {
    std::string exclusions;
    int32_t savedIndex;
    int32_t expectedIndex;
    std::vector<int32_t> marks;
    bool scroll;
  } cases[] = {
      // A shorter string leaves the remaining tracks included.
      {"101", 0, 0, {101, -1, 0, 0, 0}, true},
      // An index past the list falls back to 0 and marks nothing.
      {"", 7, 0, {0, 0, 0, 0, 0}, false},
      // The saved current track is included again even when excluded.
      {"11011", 2, 2, {0, 0, 101, 0, 0}, true},
      // A longer string's extra characters are ignored.
      {"0000000000", 4, 4, {-1, -1, -1, -1, 101}, true},
      // A negative saved index names no track.
      {"", -3, 0, {0, 0, 0, 0, 0}, false},
  };
  for (const Case& c : cases) {
    TAlbumState state;
    state.CurrentIndex = c.savedIndex;
    Built b = Load(zip, state, c.exclusions);
    std::vector<int32_t> marks;
    for (const TTrackItem& t : b.album.Tracks) marks.push_back(t.Mark);
    EXPECT_EQ(marks, c.marks) << c.exclusions << " " << c.savedIndex;
    EXPECT_EQ(b.album.CurrentIndex, c.expectedIndex);
    EXPECT_EQ(b.album.LoadState, kLoadBuilt);
    EXPECT_EQ(b.build.ScrollToCurrent, c.scroll);
  }
}

TEST_F(AlbumTest, LaterBuildsStartAtTheFirstTrackUnlessAShuffleAllSwitchIsPending) {
  std::vector<uint8_t> zip = BuildZip({{"a.mp3", Mp3(1000)}, {"b.mp3", Mp3(1000)}});
  TAlbumState state;
  state.LoadState = kLoadBuilt;
  state.SavedStatePending = false;
  state.CurrentIndex = 1;
  Built normal = Load(zip, state, "00", 0);
  EXPECT_EQ(normal.album.CurrentIndex, 0);
  EXPECT_EQ(normal.album.Tracks[0].Mark, 101);
  EXPECT_EQ(normal.album.Tracks[1].Mark, 0);
  EXPECT_EQ(exclusionReads_, 0);

  Built pending = Load(zip, state, "", 5);
  EXPECT_EQ(pending.album.CurrentIndex, 1);
  EXPECT_EQ(pending.album.Tracks[0].Mark, 0);
}

TEST_F(AlbumTest, FirstBuildOnAPlainFileDropsTheSavedStateForGood) {
  TAlbumState state;
  state.CurrentIndex = 3;
  Built b = Load(MakeMp3OfDuration(5000), state, "0101");
  EXPECT_EQ(b.album.AlbumKind, kAlbumNone);
  EXPECT_TRUE(b.album.Tracks.empty());
  EXPECT_EQ(b.album.CurrentIndex, 0);
  EXPECT_EQ(b.album.LoadState, kLoadBuilt);
  EXPECT_EQ(exclusionReads_, 1);
}

TEST_F(AlbumTest, AFileThatCannotBeOpenedGivesAnEmptyList) {
  // The saved current track waits for the first build that opens its file; the build counts
  // as the first all the same.
  for (const bool pending : {false, true}) {
    TAlbumState album;
    album.Tracks.resize(3);
    album.AlbumKind = kAlbumZip;
    album.CurrentIndex = 2;
    album.LoadState = kLoadFirstBuild;
    album.SavedStatePending = pending;
    int32_t top = 5;
    TAlbumBuild build = LoadAlbum(album, files_, "missing", {}, top);
    EXPECT_FALSE(build.Opened);
    EXPECT_TRUE(album.Tracks.empty());
    EXPECT_EQ(album.AlbumKind, kAlbumNone);
    EXPECT_EQ(album.AlbumFile, "missing");
    EXPECT_EQ(album.CurrentIndex, pending ? 2 : 0);
    EXPECT_EQ(album.SavedStatePending, pending);
    EXPECT_EQ(album.LoadState, kLoadBuilt);
    EXPECT_EQ(top, 0);
  }
}

TEST_F(AlbumTest, MemberTagsCompleteTheTracks) {
  std::vector<uint8_t> v1 = BuildID3v1({"V1 Title", "V1 Artist", "V1 Album", "1999", "", 4, 0});
  std::vector<uint8_t> v2 = ID3v2Builder(3).Text("TIT2", "V2 Title").Text("TYER", "2001").Build();
  std::vector<uint8_t> utf16Only =
      ID3v2Builder(3).Frame("TIT2", std::string("\x01\xFF\xFEX\0", 5)).Padding(20).Build();
  Built b = Load(BuildZip({{"dir/both.mp3", Mp3(1000, v2, v1)},
                           {"v1.mp3", Mp3(1000, {}, v1)},
                           {"keep name.mp3", Mp3(1000, utf16Only)}}));
  ASSERT_EQ(b.album.Tracks.size(), 3u);
  const TTrackItem& both = b.album.Tracks[0];
  EXPECT_EQ(both.Title, "V2 Title");
  EXPECT_EQ(both.Artist, "V1 Artist");  // the ID3v2 tag supplies no artist
  EXPECT_EQ(both.Album, "V1 Album");
  EXPECT_EQ(both.Year, "2001");
  EXPECT_EQ(both.Track, "04");
  EXPECT_EQ(b.album.Tracks[1].Title, "V1 Title");
  // Frames the reader skips must not blank the title taken from the member name.
  EXPECT_EQ(b.album.Tracks[2].Title, "keep name");
}

TEST_F(AlbumTest, PackMembersKeepTheirDirectoryNamesAndFollowTheTag) {
  std::vector<uint8_t> v2 = ID3v2Builder(3).Text("TIT2", "Tag Title").Text("TALB", "LP").Build();
  PackSpec spec;
  spec.Leading = ID3v2Builder(3).Text("TIT2", "whole pack").Padding(4000).Build();
  spec.Members = {{"01.mp3", "Dir Artist", "Dir Title", Mp3(2000, v2)},
                  {"02.mp3", "", "", Mp3(3000)}};
  Built b = Load(BuildPack(spec));
  EXPECT_EQ(b.album.AlbumKind, kAlbumPack);
  ASSERT_EQ(b.album.Tracks.size(), 2u);
  EXPECT_EQ(b.album.Tracks[0].Title, "Dir Title");
  EXPECT_EQ(b.album.Tracks[0].Artist, "Dir Artist");
  EXPECT_EQ(b.album.Tracks[0].Album, "LP");
  EXPECT_EQ(b.album.Tracks[1].Title, "");
  EXPECT_EQ(b.album.Tracks[1].FileName, "02.mp3");
  EXPECT_GT(b.album.Tracks[0].StartPos, static_cast<int32_t>(spec.Leading.size()));
}

TEST_F(AlbumTest, LhaMembersAreTimedLikeZipMembers) {
  Built b = Load(BuildLha({{"one.mp3", Mp3(4000)}, {"two.mp3", Mp3(6000)}}));
  EXPECT_EQ(b.album.AlbumKind, kAlbumLha);
  ASSERT_EQ(b.album.Tracks.size(), 2u);
  EXPECT_EQ(b.album.Tracks[0].Title, "one.mp3");
  EXPECT_EQ(b.album.Tracks[1].StartMS, 4000);
  EXPECT_EQ(b.album.Tracks[1].LengthMS, 6000);
}

TEST_F(AlbumTest, EachMemberBoundaryCostsAboutOneRead) {
  // Members larger than a read window, each with both tags: the directory, the tags and the
  // timing all meet at the member boundaries, and the album size must not change the rate.
  for (int count : {40, 400}) {
    std::vector<ZipMemberSpec> zip;
    std::vector<LhaMemberSpec> lha;
    PackSpec pack;
    for (int i = 0; i < count; ++i) {
      const std::string name = std::to_string(i) + ".mp3";
      std::vector<uint8_t> data = Mp3(2000, ID3v2Builder(3).Text("TIT2", "T" + name).Build(),
                                      BuildID3v1({"", "", "LP", "2001", "", 1, 0}));
      zip.push_back({name, data});
      lha.push_back({name, data});
      pack.Members.push_back({name, "A", "T", data});
    }
    zip[1].Descriptor = ZipDescriptor::kWithSignature;
    zip[1].SizesInLocalHeader = true;
    const struct {
      const char* Kind;
      std::vector<uint8_t> Bytes;
    } cases[] = {{"ZIP", BuildZip(zip)}, {"LHA", BuildLha(lha)}, {"Pack", BuildPack(pack)}};
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.Kind) + " of " + std::to_string(count));
      files_.Counters() = {};
      Built b = Load(c.Bytes);
      ASSERT_EQ(b.album.Tracks.size(), static_cast<size_t>(count));
      EXPECT_EQ(b.album.Tracks[count - 1].Album, "LP");
      EXPECT_LE(files_.Counters().Reads, static_cast<uint64_t>(count) * 5 / 4);
    }
  }
}

std::vector<uint8_t> CueAlbum(const std::vector<std::string>& sheet, int64_t audioMs) {
  std::vector<uint8_t> tag = ID3v2Builder(3).CueFrame(CueSheetText(sheet)).Build();
  return Concat(tag, MakeMp3OfDuration(audioMs));
}

TEST_F(AlbumTest, CueSheetsGiveTracksWithTheStatedOrEstimatedTotal) {
  std::vector<std::string> sheet = {"PERFORMER \"Band\"", "TRACK 01 AUDIO", "TITLE \"One\"",
                                    "INDEX 01 00:00:00",  "TRACK 02 AUDIO", "TITLE \"Two\"",
                                    "INDEX 01 01:00:00"};
  Built estimated = Load(CueAlbum(sheet, 100000));
  EXPECT_EQ(estimated.album.AlbumKind, kAlbumCue);
  ASSERT_EQ(estimated.album.Tracks.size(), 2u);
  EXPECT_EQ(estimated.album.Tracks[0].LengthMS, 60000);
  EXPECT_EQ(estimated.album.Tracks[1].LengthMS, 40000);
  EXPECT_EQ(estimated.album.Tracks[1].Artist, "Band");
  EXPECT_EQ(estimated.album.Tracks[0].Mark, 101);

  std::vector<std::string> stated = {"REM *** Generated by MusicPack 3on3 ***",
                                     "REM Total 02:30:00"};
  stated.insert(stated.end(), sheet.begin(), sheet.end());
  Built total = Load(CueAlbum(stated, 100000));
  EXPECT_EQ(total.album.Tracks[1].LengthMS, 90000);
}

TEST_F(AlbumTest, ACueSheetWithAnUnreadableTimeIsNoAlbum) {
  Built b = Load(CueAlbum({"TRACK 01 AUDIO", "INDEX 01 0x:00:00"}, 5000));
  EXPECT_EQ(b.album.AlbumKind, kAlbumNone);
  EXPECT_TRUE(b.album.Tracks.empty());
}

TEST_F(AlbumTest, HostileMembersCostReadsInProportionToTheFile) {
  // Each member's probe and tag must stay inside the member: a search or a tag read that
  // runs on into the members after it reads the archive again for every member.
  const std::vector<uint8_t> oversizedTag = {'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F, 1};
  struct Case {
    const char* what;
    std::vector<uint8_t> data;
  } cases[] = {
      {"one byte of no audio each", {0x11}},
      {"tags claiming far more than the member holds", oversizedTag},
  };
  for (const Case& c : cases) {
    std::vector<ZipMemberSpec> members(2000, ZipMemberSpec{"m.mp3", c.data});
    std::vector<uint8_t> zip = BuildZip(members);
    files_.Counters() = {};
    Built b = Load(zip);
    EXPECT_EQ(b.album.AlbumKind, kAlbumZip) << c.what;
    EXPECT_TRUE(b.album.Tracks.empty()) << c.what;
    EXPECT_LE(files_.Counters().BytesRead, 8 * zip.size()) << c.what;
  }
}

TEST_F(AlbumTest, TimingEndsBeforeATrackThatWouldEndPastTheMillisecondRange) {
  // A Pack whose offsets swing between its data and the 2 GiB mark: every other member spans
  // almost 2 GiB of 32 kbit/s audio (536870821 ms), the ones between run backwards.
  const uint32_t data = 105, far = 0x7FFFFF00;
  std::vector<uint8_t> pack = {'P', 'a', 'c', 'k', 0, 0, 0, 105, 0, 11, 0, 1, 0};
  auto offset = [&](uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
      pack.push_back(static_cast<uint8_t>(value >> shift));
  };
  for (int i = 0; i < 11; ++i) {
    offset(i % 2 ? far : data);
    pack.insert(pack.end(), {'m', 0, 0, 0});
  }
  offset(far);
  ASSERT_EQ(pack.size(), data);
  MpegFrameSpec kbps32;
  kbps32.BitrateIndex = 1;
  pack = Concat(pack, MakeMpegStream(kbps32, 3));

  Built b = Load(pack);
  EXPECT_EQ(b.album.AlbumKind, kAlbumPack);
  ASSERT_EQ(b.album.Tracks.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(b.album.Tracks[i].StartMS, 536870821 * static_cast<int32_t>(i)) << i;
    EXPECT_EQ(b.album.Tracks[i].LengthMS, 536870821) << i;
  }
}

TEST_F(AlbumTest, ASingleArtistIsBlankedOnlyWhenTheFormatAsksAndAllAgree) {
  auto zip = [&](const char* second) {
    std::vector<uint8_t> a = ID3v2Builder(3).Text("TPE1", "A").Build();
    std::vector<uint8_t> b = ID3v2Builder(3).Text("TPE1", second).Build();
    return BuildZip({{"1.mp3", Mp3(1000, a)}, {"2.mp3", Mp3(1000, b)}});
  };
  EXPECT_EQ(Load(zip("A"), {}, "", 0, true).album.Tracks[1].Artist, "");
  EXPECT_EQ(Load(zip("B"), {}, "", 0, true).album.Tracks[0].Artist, "A");
  EXPECT_EQ(Load(zip("A"), {}, "", 0, false).album.Tracks[0].Artist, "A");
}

TEST_F(AlbumTest, ExclusionStringHasOneCharacterPerTrack) {
  TTrackList tracks(4);
  tracks[1].Mark = -1;
  tracks[2].Mark = 203;
  ToggleExcluded(tracks[2]);
  EXPECT_EQ(tracks[2].Mark, -204);
  EXPECT_EQ(ExclusionString(tracks), "1001");
  ToggleExcluded(tracks[2]);
  EXPECT_EQ(tracks[2].Mark, 203);
}

}  // namespace
}  // namespace varimo
