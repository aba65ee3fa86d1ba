#pragma once
// The pseudo-random picks of the two shuffle modes: a track of the album in shuffle-album
// mode, and a track of a newly reached album file in shuffle-all mode. Both follow the Seed
// setting, so a session can be replayed.

#include <array>
#include <cstdint>

#include "common/subsystem_state.h"
#include "common/track_item.h"

namespace varimo {

// Steps currentIndex round the album from track start on until the track there is playable
// with a Mark below limit; returns how many steps that took, or the track count when no
// track qualifies.
int32_t AdvanceToMarkBelow(const TTrackList& tracks, int32_t& currentIndex, int32_t start,
                           int32_t limit);

// Picks the next track in shuffle-album mode: within a round every playable track once,
// never the one just played; Mark counts the plays of a round in its units and the rounds a
// track opened in its hundreds.
void PickShuffleAlbumTrack(TTrackList& tracks, int32_t& currentIndex, uint32_t& seed);

// Picks the track to play in the album file the host moved to in shuffle-all mode, avoiding
// what the history holds for that playlist entry.
void PickShuffleAllTrack(const TTrackList& tracks, int32_t& currentIndex, uint32_t& seed,
                         int32_t listPos, TShuffleHistory& history);

}  // namespace varimo
