#pragma once
// The commands that choose the next track and make the host play it: by the monitor at a
// track's end, and by the user through the window, the popup menu and the hot keys.

#include <cstdint>

#include "engine/varimo_context.h"

namespace varimo {

// How long PlayTrack waits for a stopped host to report playing before it gives up.
constexpr uint32_t kHostStartLimitMS = 2000;
// How long it lets a host that just started settle before it seeks.
constexpr uint32_t kHostSettleMS = 100;

// Scrolls the window so that the current track is visible.
void ScrollToCurrent(TVarimo& varimo);

// Makes the host play the track at CurrentIndex, starting a stopped host first; resume also
// resumes a paused host. The monitor's timer is off meanwhile. Nothing happens when
// CurrentIndex names no track.
void PlayTrack(TVarimo& varimo, TPorts& ports, bool resume);
// The same from offsetMS into the track: its start plus the offset becomes the base of the
// drift correction.
void PlayTrackFrom(TVarimo& varimo, TPorts& ports, int32_t offsetMS);

// The previous or next playable track by the play mode: wrapping round in repeat album,
// a shuffle pick in shuffle album, another playlist entry in shuffle all, and the host's
// previous or next entry at the album's ends in the other modes.
void PlayPrevious(TVarimo& varimo, TPorts& ports);
void PlayNext(TVarimo& varimo, TPorts& ports);

// Moves the host to a random entry of its playlist, paused until the monitor has picked a
// track there.
void SwitchShuffleAllFile(TPlayState& play, IHost& host);

// The popup menu's play command: plays the selected track, or the current one.
void PopupPlayItemClick(TVarimo& varimo, TPorts& ports);

// A play-mode item of the popup menu was chosen; tag is its mode. It takes effect at the
// next end of a track.
void PopupModeClick(TPlayState& play, int32_t tag);

}  // namespace varimo
