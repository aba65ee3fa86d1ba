#include "engine/shuffle.h"

#include <algorithm>

namespace varimo {
namespace {

constexpr std::array<int64_t, 5> kShuffleDivisors = {51, 31, 11, 3, 7};

// The pick's stride for this many tracks.
int64_t ShuffleStride(int64_t count, uint32_t seed) {
  return 19 * count / kShuffleDivisors[seed % kShuffleDivisors.size()];
}

int32_t Count(const TTrackList& tracks) {
  return static_cast<int32_t>(tracks.size());
}

bool IsPlayedThisRound(const TTrackItem& track) {
  return track.Mark % 100 != 0;
}

// A remainder in 0..divisor-1 whatever the sign of value.
int32_t Wrap(int64_t value, int32_t divisor) {
  int64_t rest = value % divisor;
  return static_cast<int32_t>(rest < 0 ? rest + divisor : rest);
}

// The k-th playable track (k counted from 0).
int32_t NthPlayable(const TTrackList& tracks, int32_t k) {
  int32_t index = k;
  for (int32_t i = 0; i < Count(tracks); ++i) {
    if (IsExcluded(tracks[i])) ++index;
    if (i >= index) break;
  }
  return index;
}

// Starts a new round or, after five rounds a track opened (or when the rule that no track
// opens more than two rounds leaves no candidate), starts the counting over.
void PrepareNewRound(TTrackList& tracks, int32_t& currentIndex, int32_t prev) {
  const int32_t count = Count(tracks);
  bool reset =
      std::any_of(tracks.begin(), tracks.end(), [](const TTrackItem& t) { return t.Mark >= 500; });
  if (!reset) {
    if (AdvanceToMarkBelow(tracks, currentIndex, 0, 200) == count) {
      reset = true;
    } else if (currentIndex == prev) {
      currentIndex = (currentIndex + 1) % count;
      if (AdvanceToMarkBelow(tracks, currentIndex, 1, 200) == count) {
        currentIndex = (currentIndex + 1) % count;
        if (AdvanceToMarkBelow(tracks, currentIndex, 1, 500) == count) reset = true;
      }
    }
  }
  if (!reset) return;
  for (TTrackItem& track : tracks) {
    if (track.Mark > 0) track.Mark = 0;
  }
}

// From currentIndex on, the first track that is not prev and passes accept; false when
// none does.
template <typename Accept>
bool StepToTrack(const TTrackList& tracks, int32_t& currentIndex, int32_t prev, Accept accept) {
  const int32_t count = Count(tracks);
  for (int32_t step = 0; step < count; ++step) {
    if (currentIndex != prev && accept(tracks[currentIndex])) return true;
    currentIndex = (currentIndex + 1) % count;
  }
  return false;
}

}  // namespace

int32_t AdvanceToMarkBelow(const TTrackList& tracks, int32_t& currentIndex, int32_t start,
                           int32_t limit) {
  const int32_t count = Count(tracks);
  if (currentIndex < 0 || currentIndex >= count) currentIndex = 0;
  for (int32_t k = start; k < count; ++k) {
    int32_t mark = tracks[currentIndex].Mark;
    if (mark >= 0 && mark < limit) return k;
    currentIndex = (currentIndex + 1) % count;
  }
  return count;
}

void PickShuffleAlbumTrack(TTrackList& tracks, int32_t& currentIndex, uint32_t& seed) {
  const int32_t count = Count(tracks);
  int32_t playable = 0;
  int32_t last = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (IsExcluded(tracks[i])) continue;
    ++playable;
    last = i;
  }
  if (playable <= 1) {
    currentIndex = last;
    return;
  }
  if (currentIndex < 0 || currentIndex >= count) currentIndex = 0;

  const bool newRound = std::all_of(tracks.begin(), tracks.end(), IsPlayedThisRound);
  if (newRound) {
    for (TTrackItem& track : tracks) {
      if (track.Mark > 0) track.Mark = track.Mark / 100 * 100;
    }
  }
  const int32_t prev = currentIndex;
  currentIndex = NthPlayable(tracks, Wrap(prev + ShuffleStride(playable, seed), playable));
  if (newRound) PrepareNewRound(tracks, currentIndex, prev);

  // An excluded track stays out even when its complemented Mark looks unplayed, and when
  // this round has nothing left but the track just played, the next playable one is
  // taken, so that the same track never plays twice in a row.
  const int32_t played = 1 + (newRound ? 100 : 0);
  auto unplayed = [](const TTrackItem& t) { return t.Mark >= 0 && !IsPlayedThisRound(t); };
  auto playableTrack = [](const TTrackItem& t) { return !IsExcluded(t); };
  if (StepToTrack(tracks, currentIndex, prev, unplayed) ||
      StepToTrack(tracks, currentIndex, prev, playableTrack)) {
    tracks[currentIndex].Mark += played;
  }
  seed = (seed + 1) % static_cast<uint32_t>(playable + 2);
}

void PickShuffleAllTrack(const TTrackList& tracks, int32_t& currentIndex, uint32_t& seed,
                         int32_t listPos, TShuffleHistory& history) {
  const int32_t count = Count(tracks);
  // The album build leaves the index of the previous file in place; with one track or
  // none only 0 names a track.
  if (count <= 1) {
    currentIndex = 0;
    return;
  }
  if (currentIndex >= count) currentIndex %= count;
  if (currentIndex < 0) currentIndex = 0;

  const int64_t stride = ShuffleStride(count, seed);
  // A track length can be negative in a damaged cue sheet; the pick must still name a track.
  currentIndex = Wrap(stride + tracks[currentIndex].LengthMS + history.Index, count);

  auto inHistory = [&](int32_t track) {
    return std::any_of(history.Entries.begin(), history.Entries.end(), [&](const TShuffleEntry& e) {
      return e.Entry == listPos && e.Track == track;
    });
  };
  if (inHistory(currentIndex)) {
    bool found = false;
    for (int32_t j = 1; j < count && !found; ++j) {
      int32_t candidate = (currentIndex + j) % count;
      if (!inHistory(candidate)) {
        currentIndex = candidate;
        found = true;
      }
    }
    if (!found) {
      for (TShuffleEntry& e : history.Entries) {
        if (e.Entry == listPos) e = TShuffleEntry{};
      }
      currentIndex = Wrap(stride + currentIndex, count);
    }
  }
  history.Entries[history.Index] = {listPos, currentIndex};
  history.Index = (history.Index + 1) % TShuffleHistory::kSize;
  seed = (seed + 1) % static_cast<uint32_t>(count);
}

}  // namespace varimo
