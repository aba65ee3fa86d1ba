#include "player.h"

#include <algorithm>
#include <limits>

namespace varimo {

void SimPlayer::Add(const std::string& path, int32_t lengthMS) {
  entries_.push_back({path, std::max(lengthMS, 1)});
}

void SimPlayer::Clear() {
  entries_.clear();
  state_ = TPlayerState::kStopped;
  index_ = 0;
  position_ = 0;
}

int32_t SimPlayer::CurrentLengthMS() const {
  if (entries_.empty()) return 0;
  return entries_[index_].LengthMS;
}

int64_t SimPlayer::TotalLengthMS() const {
  int64_t total = 0;
  for (const TPlayerEntry& entry : entries_) total += entry.LengthMS;
  return total;
}

void SimPlayer::Update(uint32_t now) {
  // Unsigned difference: the tick count wraps after 49.7 days.
  uint32_t elapsed = now - lastTick_;
  lastTick_ = now;
  if (state_ != TPlayerState::kPlaying || entries_.empty()) return;
  int64_t position = static_cast<int64_t>(position_) + elapsed;
  // Whole rounds of a repeating list change nothing but cost a pass per entry.
  int64_t total = TotalLengthMS();
  if (repeat_ && position > 2 * total) position = total + position % total;
  // The time past an entry's end carries into the next, so the host does not lag behind
  // real time however long the loop slept; each pass consumes at least 1 ms.
  while (position >= CurrentLengthMS()) {
    position -= CurrentLengthMS();
    if (!EnterFollowingEntry()) return;
  }
  position_ = static_cast<int32_t>(position);
}

void SimPlayer::Play(uint32_t now) {
  Update(now);
  if (entries_.empty()) return;
  StartEntry(index_, true);
}

void SimPlayer::Pause(uint32_t now) {
  Update(now);
  if (state_ == TPlayerState::kPlaying) {
    state_ = TPlayerState::kPaused;
  } else if (state_ == TPlayerState::kPaused) {
    state_ = TPlayerState::kPlaying;
  }
}

void SimPlayer::Stop(uint32_t now) {
  Update(now);
  state_ = TPlayerState::kStopped;
  position_ = 0;
}

void SimPlayer::Next(uint32_t now) {
  Update(now);
  int32_t target = StepTarget(+1);
  if (target >= 0) StartEntry(target, state_ != TPlayerState::kStopped);
}

void SimPlayer::Previous(uint32_t now) {
  Update(now);
  int32_t target = StepTarget(-1);
  if (target >= 0) StartEntry(target, state_ != TPlayerState::kStopped);
}

void SimPlayer::Select(int32_t index, uint32_t now) {
  Update(now);
  if (index < 0 || index >= static_cast<int32_t>(entries_.size())) return;
  StartEntry(index, state_ == TPlayerState::kPlaying);
}

bool SimPlayer::Seek(int64_t ms, uint32_t now) {
  Update(now);
  if (state_ == TPlayerState::kStopped || entries_.empty()) return false;
  // A jump to the end or past it ends the entry at the next update, as in the host.
  position_ = static_cast<int32_t>(std::clamp<int64_t>(ms, 0, CurrentLengthMS()));
  Update(now);
  return true;
}

void SimPlayer::Skip(int32_t deltaMS, uint32_t now) {
  Update(now);
  if (state_ == TPlayerState::kStopped || entries_.empty()) return;
  Seek(static_cast<int64_t>(position_) + deltaMS, now);
}

void SimPlayer::ChangeVolume(int32_t delta) {
  volume_ = std::clamp(volume_ + delta, 0, 255);
}

bool SimPlayer::EnterFollowingEntry() {
  int32_t last = static_cast<int32_t>(entries_.size()) - 1;
  int32_t target = -1;
  if (shuffle_ && last > 0) {
    target = StepTarget(+1);
  } else if (index_ < last) {
    target = index_ + 1;
  } else if (repeat_) {
    target = 0;
  }
  if (target < 0) {
    // The host stops at the end of its list and stays on the last entry.
    state_ = TPlayerState::kStopped;
    position_ = 0;
    return false;
  }
  StartEntry(target, true);
  return true;
}

int32_t SimPlayer::StepTarget(int32_t direction) {
  int32_t count = static_cast<int32_t>(entries_.size());
  if (count == 0) return -1;
  if (shuffle_ && count > 1) {
    // Any entry but the current one, so a shuffle step is always a change.
    std::uniform_int_distribution<int32_t> pick(0, count - 2);
    int32_t target = pick(random_);
    return target >= index_ ? target + 1 : target;
  }
  int32_t target = index_ + direction;
  if (target >= 0 && target < count) return target;
  if (!repeat_) return index_;
  return target < 0 ? count - 1 : 0;
}

void SimPlayer::StartEntry(int32_t index, bool play) {
  index_ = index;
  position_ = 0;
  state_ = play ? TPlayerState::kPlaying : TPlayerState::kStopped;
}

const char* PlayerStateName(TPlayerState state) {
  switch (state) {
    case TPlayerState::kPlaying: return "playing";
    case TPlayerState::kPaused: return "paused";
    case TPlayerState::kStopped: break;
  }
  return "stopped";
}

int32_t LengthAt128k(uint64_t fileSize) {
  uint64_t ms = fileSize / 16;
  return static_cast<int32_t>(std::min<uint64_t>(ms, std::numeric_limits<int32_t>::max()));
}

}  // namespace varimo
