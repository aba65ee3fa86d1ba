#pragma once
// The words every part of the plug-in shares: the window's sizes and states, the play modes
// and what a held mouse button does. Kept in a leaf so that the readers, the settings and the
// painting can name them without reaching up to the window that owns the state.

#include <cstdint>

namespace varimo {

// The window's designed size: its width is also the narrowest it can be, the height the
// lowest the normal window can be. The small window is one bar.
constexpr int32_t kDesignWidth = 275;
constexpr int32_t kMinWidth = kDesignWidth;
constexpr int32_t kNormalMinHeight = 116;
constexpr int32_t kSmallHeight = 14;

// Values of the window's State; negated while the window is hidden.
constexpr int32_t kStateNormal = 1;
constexpr int32_t kStateSmall = 2;

inline bool IsNormalState(int32_t state) {
  return state == kStateNormal || state == -kStateNormal;
}
inline bool IsSmallState(int32_t state) {
  return state == kStateSmall || state == -kStateSmall;
}

// Play modes, as the popup menu's mode items carry them. Other values play as normal.
enum PlayMode : int32_t {
  kModeNormal = 0,
  kModeRepeatSingle = 1,
  kModeRepeatAlbum = 2,
  kModeShuffleAlbum = 3,
  kModeShuffleAll = 4,
  kModeShuffleAllPending = 5,  // shuffle all, waiting for the next entry to pick a track
};

// What the held mouse button does.
enum DragMode : int32_t {
  kDragNone = 0,
  kDragMove = 1,
  kDragResize = 2,
  kDragScrollThumb = 3,
  kDragPosition = 5,
};

}  // namespace varimo
