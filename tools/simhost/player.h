#pragma once
// The simulated host's playback: a playlist, a play state and a position that runs with
// the system's tick count while playing. Every operation takes the current tick, so the
// model itself never reads a clock.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace varimo {

enum class TPlayerState { kStopped, kPlaying, kPaused };

struct TPlayerEntry {
  std::string Path;  // ANSI bytes, as the host hands them out
  int32_t LengthMS = 1;
};

class SimPlayer {
 public:
  explicit SimPlayer(uint32_t shuffleSeed = 1) : random_(shuffleSeed) {}

  // Lengths below 1 ms count as 1 ms, so a running entry always ends.
  void Add(const std::string& path, int32_t lengthMS);
  void Clear();
  const std::vector<TPlayerEntry>& Entries() const { return entries_; }

  // Brings the position up to now; an entry's end leads on as the host's playlist does.
  void Update(uint32_t now);

  // The current entry from its start.
  void Play(uint32_t now);
  // Playing pauses, paused resumes, stopped stays stopped.
  void Pause(uint32_t now);
  void Stop(uint32_t now);
  // Playlist steps; a player that was not stopped plays the new entry from its start.
  void Next(uint32_t now);
  void Previous(uint32_t now);
  // Makes index current, playing it from its start when the player was playing.
  void Select(int32_t index, uint32_t now);
  // Jumps within the current entry; false (and nothing happens) while stopped.
  bool Seek(int64_t ms, uint32_t now);
  // Moves by deltaMS within the current entry, clamped at its start.
  void Skip(int32_t deltaMS, uint32_t now);

  void SetRepeat(bool on) { repeat_ = on; }
  void SetShuffle(bool on) { shuffle_ = on; }
  bool Repeat() const { return repeat_; }
  bool Shuffle() const { return shuffle_; }
  // Volume 0-255 as the host's slider.
  void ChangeVolume(int32_t delta);
  int32_t Volume() const { return volume_; }

  TPlayerState State() const { return state_; }
  int32_t Index() const { return index_; }
  int32_t PositionMS() const { return position_; }
  // Length of the current entry; 0 with an empty playlist.
  int32_t CurrentLengthMS() const;

 private:
  int64_t TotalLengthMS() const;
  // Moves on after the current entry has ended; false when the playlist has run out.
  bool EnterFollowingEntry();
  // The entry a step in direction (+1 or -1) leads to, or -1 for none.
  int32_t StepTarget(int32_t direction);
  void StartEntry(int32_t index, bool play);

  std::vector<TPlayerEntry> entries_;
  TPlayerState state_ = TPlayerState::kStopped;
  int32_t index_ = 0;
  int32_t position_ = 0;
  uint32_t lastTick_ = 0;
  bool repeat_ = false;
  bool shuffle_ = false;
  int32_t volume_ = 200;
  std::mt19937 random_;
};

// Text for a state in logs and scenario expectations: "stopped", "playing", "paused".
const char* PlayerStateName(TPlayerState state);

// The playing time of a file of the given size at 128 kbit/s: 16 bytes per millisecond.
int32_t LengthAt128k(uint64_t fileSize);

}  // namespace varimo
