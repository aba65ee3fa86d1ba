#include "engine/shuffle.h"

#include <gtest/gtest.h>

#include <set>

namespace varimo {
namespace {

TTrackList Tracks(const std::vector<int32_t>& marks, int32_t lengthMS = 10000) {
  TTrackList tracks(marks.size());
  for (size_t i = 0; i < marks.size(); ++i) {
    tracks[i].Mark = marks[i];
    tracks[i].StartMS = static_cast<int32_t>(i) * lengthMS;
    tracks[i].LengthMS = lengthMS;
  }
  return tracks;
}

TEST(PickShuffleAlbumTrack, FirstPickOfFiveFreshTracks) {
  TTrackList tracks = Tracks({0, 0, 0, 0, 0});
  int32_t current = 0;
  uint32_t seed = 0;
  PickShuffleAlbumTrack(tracks, current, seed);
  EXPECT_EQ(current, 1);  // (0 + 95 / 51) mod 5
  EXPECT_EQ(tracks[1].Mark, 1);
  EXPECT_EQ(seed, 1u);
}

TEST(PickShuffleAlbumTrack, OneOrNoPlayableTrack) {
  struct Case {
    const char* name;
    std::vector<int32_t> marks;
    int32_t current;
    int32_t expected;
  } cases[] = {
      {"the only playable track again", {-1, 5, -1}, 1, 1},
      {"the only playable track from elsewhere", {-1, -1, 0}, 0, 2},
      {"nothing playable picks track 0", {-1, -1, -1}, 2, 0},
      {"a single track", {101}, 0, 0},
  };
  for (const Case& c : cases) {
    TTrackList tracks = Tracks(c.marks);
    int32_t current = c.current;
    uint32_t seed = 3;
    PickShuffleAlbumTrack(tracks, current, seed);
    EXPECT_EQ(current, c.expected) << c.name;
    EXPECT_EQ(seed, 3u) << c.name;
  }
}

// Picks in a row from an album as the build leaves it (the current track marked 101) and
// checks that each round plays every playable track once, never the same track twice in a
// row and never an excluded one.
TEST(PickShuffleAlbumTrack, RoundsPlayEveryPlayableTrackOnceAndNeverTheLastAgain) {
  for (uint32_t startSeed : {0u, 1u, 2u, 3u, 4u, 77u}) {
    TTrackList tracks = Tracks({101, 0, -1, 0, 0, 0, -1, 0, 0});
    const std::set<int32_t> playable = {0, 1, 3, 4, 5, 7, 8};
    int32_t current = 0;
    uint32_t seed = startSeed;
    std::set<int32_t> round = {0};
    int rounds = 0;
    for (int pick = 0; pick < 400; ++pick) {
      const int32_t prev = current;
      PickShuffleAlbumTrack(tracks, current, seed);
      ASSERT_NE(current, prev) << "seed " << startSeed << " pick " << pick;
      ASSERT_TRUE(playable.count(current)) << "seed " << startSeed << " pick " << pick;
      if (round.size() == playable.size()) {
        round.clear();
        ++rounds;
        // The opener of a round carries it in the hundreds of its Mark.
        EXPECT_GE(tracks[current].Mark, 100);
      }
      ASSERT_TRUE(round.insert(current).second)
          << "track " << current << " twice in a round, seed " << startSeed << " pick " << pick;
      EXPECT_LT(seed, static_cast<uint32_t>(playable.size() + 2));
    }
    EXPECT_GE(rounds, 55) << startSeed;
    EXPECT_EQ(tracks[2].Mark, -1);
    EXPECT_EQ(tracks[6].Mark, -1);
  }
}

TEST(PickShuffleAlbumTrack, MarksCountThePlaysOfARoundAndTheRoundsATrackOpened) {
  // Three tracks, all played this round: the pick opens a new round, the counters drop to
  // whole hundreds and the opener gets 100 more plus its play.
  TTrackList tracks = Tracks({101, 1, 201});
  int32_t current = 1;
  uint32_t seed = 0;
  PickShuffleAlbumTrack(tracks, current, seed);
  EXPECT_NE(current, 1);
  EXPECT_EQ(tracks[1].Mark, 0);
  EXPECT_EQ(tracks[current].Mark, current == 0 ? 201 : 301);
  EXPECT_EQ(tracks[3 - current - 1].Mark, current == 0 ? 200 : 100);

  // A track that opened five rounds starts the counting over.
  tracks = Tracks({501, 1, 101});
  current = 1;
  PickShuffleAlbumTrack(tracks, current, seed);
  EXPECT_NE(current, 1);
  for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(tracks[i].Mark, i == current ? 101 : 0) << i;
}

TEST(PickShuffleAlbumTrack, NeverRepeatsTheTrackJustPlayedWhenItIsTheOnlyOneUnplayed) {
  // The user jumped into track 0, whose counter is still 0, after the others were played.
  for (uint32_t seed : {0u, 1u, 2u, 3u, 4u}) {
    TTrackList tracks = Tracks({0, 1, 1});
    int32_t current = 0;
    uint32_t s = seed;
    PickShuffleAlbumTrack(tracks, current, s);
    EXPECT_NE(current, 0) << seed;
  }
}

TEST(PickShuffleAlbumTrack, AnExcludedTrackIsNeverPickedWhateverItsMark) {
  // ~99: a track played 99 times this round and then excluded has a complement whose
  // remainder by 100 is 0.
  TTrackList tracks = Tracks({1, ~99, 0, 1});
  for (uint32_t seed = 0; seed < 5; ++seed) {
    TTrackList copy = tracks;
    int32_t current = 0;
    uint32_t s = seed;
    PickShuffleAlbumTrack(copy, current, s);
    EXPECT_EQ(current, 2) << seed;
    EXPECT_EQ(copy[1].Mark, ~99) << seed;
  }
}

TEST(PickShuffleAlbumTrack, AnIndexOutsideTheListStartsFromTheFirstTrack) {
  TTrackList tracks = Tracks({0, 0, 0, 0, 0});
  int32_t current = 42;
  uint32_t seed = 0;
  PickShuffleAlbumTrack(tracks, current, seed);
  EXPECT_EQ(current, 1);
}

TEST(AdvanceToMarkBelow, StepsRoundToTheFirstQualifyingTrack) {
  struct Case {
    const char* name;
    std::vector<int32_t> marks;
    int32_t current, start, limit;
    int32_t expectedResult, expectedCurrent;
  } cases[] = {
      {"the current one qualifies", {5, 300, 0}, 0, 0, 200, 0, 0},
      {"two steps on", {300, 300, 150}, 0, 0, 200, 2, 2},
      {"wraps round", {150, 300, 300}, 1, 0, 200, 2, 0},
      {"excluded tracks never qualify", {-1, -5, 300}, 0, 0, 200, 3, 0},
      {"counted from start", {100, 300, 300}, 0, 1, 200, 1, 0},
      {"none within the steps left", {300, 300, 300}, 0, 1, 200, 3, 2},
  };
  for (const Case& c : cases) {
    TTrackList tracks = Tracks(c.marks);
    int32_t current = c.current;
    EXPECT_EQ(AdvanceToMarkBelow(tracks, current, c.start, c.limit), c.expectedResult) << c.name;
    EXPECT_EQ(current, c.expectedCurrent) << c.name;
  }
}

TEST(PickShuffleAllTrack, PicksFromLengthHistoryAndSeed) {
  // 4 tracks of 10 000 ms, seed 0: (76 / 51 + 10000 + 0) mod 4 = 1.
  TTrackList tracks = Tracks({0, 0, 0, 0});
  TShuffleHistory history;
  int32_t current = 0;
  uint32_t seed = 0;
  PickShuffleAllTrack(tracks, current, seed, 7, history);
  EXPECT_EQ(current, 1);
  EXPECT_EQ(seed, 1u);
  EXPECT_EQ(history.Index, 1);
  EXPECT_EQ(history.Entries[0].Entry, 7);
  EXPECT_EQ(history.Entries[0].Track, 1);
}

TEST(PickShuffleAllTrack, AvoidsWhatTheHistoryHoldsForTheEntryAndStartsOverWhenAllWerePlayed) {
  TTrackList tracks = Tracks({0, 0, 0});
  TShuffleHistory history;
  uint32_t seed = 0;
  int32_t current = 0;
  std::set<int32_t> picked;
  for (int i = 0; i < 3; ++i) {
    PickShuffleAllTrack(tracks, current, seed, 2, history);
    EXPECT_TRUE(picked.insert(current).second) << "pick " << i;
  }
  // Another entry's history does not count for this one.
  int32_t other = 0;
  PickShuffleAllTrack(tracks, other, seed, 5, history);
  // Every track of entry 2 is in the history: its entries are dropped and a pick is made.
  PickShuffleAllTrack(tracks, current, seed, 2, history);
  int entryTwo = 0;
  for (const TShuffleEntry& e : history.Entries) entryTwo += e.Entry == 2;
  EXPECT_EQ(entryTwo, 1);
  EXPECT_GE(current, 0);
  EXPECT_LT(current, 3);
}

TEST(PickShuffleAllTrack, AlwaysNamesATrackOfTheNewList) {
  struct Case {
    const char* name;
    int32_t count;
    int32_t current;
    int32_t lengthMS;
  } cases[] = {
      {"index of a longer album", 3, 17, 10000},
      {"negative index", 3, -4, 10000},
      {"one track keeps no stale index", 1, 5, 10000},
      {"no track", 0, 5, 10000},
      {"negative length from a damaged sheet", 4, 0, -12345},
  };
  for (const Case& c : cases) {
    TTrackList tracks = Tracks(std::vector<int32_t>(c.count, 0), c.lengthMS);
    TShuffleHistory history;
    int32_t current = c.current;
    uint32_t seed = 2;
    PickShuffleAllTrack(tracks, current, seed, 0, history);
    EXPECT_GE(current, 0) << c.name;
    EXPECT_LT(current, std::max(c.count, 1)) << c.name;
  }
}

}  // namespace
}  // namespace varimo
