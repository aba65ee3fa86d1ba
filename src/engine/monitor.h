#pragma once
// The playback monitor: one tick of the main window's timer follows the host's playback,
// rebuilds the album when the host's entry changes, acts by the play mode shortly before a
// track ends, and keeps the time display and the position bar up to date.

#include <cstdint>

#include "common/track_item.h"
#include "engine/varimo_context.h"

namespace varimo {

// One tick. A call made while a tick runs (from a message loop inside it) returns at once.
void TimerTimer(TVarimo& varimo, TPorts& ports);

// The host's position corrected for its drift: correctMS per minute played since the last
// seek, truncated toward zero; never negative.
int32_t CorrectedPositionMS(int32_t positionMS, int32_t seekBaseMS, int32_t correctMS);

struct TTrackAt {
  int32_t Index = -1;  // -1: the position lies beyond the last track
  bool Near = false;   // less than the lead time before the track's end
};

// The first track, excluded or not, that ends after the position.
TTrackAt LocateTrack(const TTrackList& tracks, int32_t positionMS, int32_t breakMS);

// The time display's digits at a position: elapsed time within the track, or the time that
// remains of it.
TTimeDigits TimeDigitsFor(const TTrackItem& track, int32_t positionMS, bool remain);

// Where the position lies within the track, 0..1.
double PositionFractionFor(const TTrackItem& track, int32_t positionMS);

}  // namespace varimo
