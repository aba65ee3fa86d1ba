#include "fakes/sim_host.h"

#include <algorithm>

namespace varimo {
namespace {

constexpr int32_t kSkipMS = 5000;

}  // namespace

int32_t SimHost::AddEntry(const std::string& path, int32_t lengthMS) {
  entries_.push_back({path, std::max(lengthMS, 1)});
  return static_cast<int32_t>(entries_.size()) - 1;
}

void SimHost::SetEntryPath(int32_t index, const std::string& path) {
  if (index >= 0 && index < static_cast<int32_t>(entries_.size())) entries_[index].Path = path;
}

void SimHost::Place(int32_t entry, int32_t positionMS, HostPlayState state) {
  int32_t last = std::max(static_cast<int32_t>(entries_.size()) - 1, 0);
  listPos_ = std::clamp(entry, 0, last);
  state_ = state;
  startingQueries_ = 0;
  SetPositionClamped(positionMS);
}

void SimHost::Advance(int32_t ms) {
  if (ms <= 0 || entries_.empty() || state_ != kHostPlaying || startingQueries_ > 0) return;
  int64_t remaining = ms;
  for (;;) {
    int64_t left = CurrentLength() - position_;
    if (remaining < left) {
      position_ += static_cast<int32_t>(remaining);
      return;
    }
    remaining -= left;
    if (!EnterFollowingEntry()) return;
  }
}

void SimHost::SetSkin(const std::string& directory, const std::string& answer) {
  skinDirectory_ = directory;
  skinAnswer_ = answer;
}

void SimHost::SetHostWindow(HostWindowKind which, THostHandle handle) {
  if (which >= 0 && which < static_cast<int32_t>(hostWindows_.size())) hostWindows_[which] = handle;
}

size_t SimHost::CountIpc(HostIpc code, size_t mark) const {
  size_t count = 0;
  for (size_t i = mark; i < log_.size(); ++i) {
    if (log_[i].Kind == THostRequestKind::kIpc && log_[i].Code == code) ++count;
  }
  return count;
}

size_t SimHost::CountCommand(HostCommand command, size_t mark) const {
  size_t count = 0;
  for (size_t i = mark; i < log_.size(); ++i) {
    if (log_[i].Kind == THostRequestKind::kCommand && log_[i].Code == command) ++count;
  }
  return count;
}

size_t SimHost::Count(THostRequestKind kind, size_t mark) const {
  size_t count = 0;
  for (size_t i = mark; i < log_.size(); ++i) {
    if (log_[i].Kind == kind) ++count;
  }
  return count;
}

int32_t SimHost::PlayState() {
  THostRecord& record = Record(THostRequestKind::kIpc, kIpcPlayState, 0);
  int32_t answer = state_;
  if (startingQueries_ > 0) {
    --startingQueries_;
    answer = kHostStopped;
  }
  record.Answer = answer;
  return answer;
}

int32_t SimHost::PositionMS() {
  // Like the real host, a stopped player (or one whose output has not opened yet) has no
  // position to report.
  bool none = entries_.empty() || state_ == kHostStopped || startingQueries_ > 0;
  int32_t answer = none ? -1 : position_;
  Record(THostRequestKind::kIpc, kIpcPositionMS, 0).Answer = answer;
  return answer;
}

void SimHost::SeekTo(int32_t ms) {
  THostRecord& record = Record(THostRequestKind::kIpc, kIpcSeekTo, ms);
  // A stopped host keeps the position for the record but says it is not playing; the
  // next play command starts the entry from its beginning all the same.
  record.Answer = state_ == kHostStopped || entries_.empty() ? -1 : 0;
  SetPositionClamped(ms);
}

int32_t SimHost::ListPosition() {
  Record(THostRequestKind::kIpc, kIpcListPosition, 0).Answer = listPos_;
  return listPos_;
}

std::string SimHost::EntryPath(int32_t index) {
  THostRecord& record = Record(THostRequestKind::kIpc, kIpcEntryPath, index);
  if (index >= 0 && index < static_cast<int32_t>(entries_.size())) {
    record.Text = entries_[index].Path;
  }
  return record.Text;
}

std::string SimHost::SkinRequest(std::string& directory) {
  Record(THostRequestKind::kIpc, kIpcSkin, 0).Text = skinAnswer_;
  directory = skinDirectory_;
  return skinAnswer_;
}

void SimHost::OpenBrowser(const std::string& path) {
  Record(THostRequestKind::kIpc, kIpcBrowser, 0);
  Record(THostRequestKind::kIpc, kIpcBrowser, 0).Text = path;
}

void SimHost::SetShuffle(bool on) {
  Record(THostRequestKind::kIpc, kIpcSetShuffle, on ? 1 : 0);
  shuffle_ = on;
}

void SimHost::SetRepeat(bool on) {
  Record(THostRequestKind::kIpc, kIpcSetRepeat, on ? 1 : 0);
  repeat_ = on;
}

THostHandle SimHost::HostWindow(HostWindowKind which) {
  THostRecord& record = Record(THostRequestKind::kIpc, kIpcHostWindow, which);
  THostHandle answer = 0;
  if (which >= 0 && which < static_cast<int32_t>(hostWindows_.size())) {
    answer = hostWindows_[which];
  }
  record.Answer = static_cast<int64_t>(answer);
  return answer;
}

THostHandle SimHost::MainPopupMenu() {
  Record(THostRequestKind::kIpc, kIpcMainPopupMenu, 0).Answer = static_cast<int64_t>(popupMenu_);
  return popupMenu_;
}

void SimHost::RestoreMainWindow() {
  Record(THostRequestKind::kRestore, 0, 0);
}

void SimHost::OpenMainPopup() {
  Record(THostRequestKind::kPopup, 0, 0);
}

void SimHost::Command(HostCommand command) {
  Record(THostRequestKind::kCommand, command, 0);
  switch (command) {
    case kCommandPlay:
      if (entries_.empty()) break;
      if (state_ != kHostPlaying) startingQueries_ = slowStart_;
      state_ = kHostPlaying;
      position_ = 0;
      break;
    case kCommandPause:
      // Resuming reopens nothing, so it is never slow; a stopped host ignores pause.
      if (state_ == kHostPlaying) {
        state_ = kHostPaused;
        startingQueries_ = 0;
      } else if (state_ == kHostPaused) {
        state_ = kHostPlaying;
      }
      break;
    case kCommandStop:
      state_ = kHostStopped;
      position_ = 0;
      startingQueries_ = 0;
      break;
    case kCommandNext: StepEntry(1); break;
    case kCommandPrevious: StepEntry(-1); break;
    case kCommandToggleRepeat: repeat_ = !repeat_; break;
    case kCommandToggleShuffle: shuffle_ = !shuffle_; break;
    case kCommandForward5s:
      if (state_ != kHostStopped) SetPositionClamped(int64_t{position_} + kSkipMS);
      break;
    case kCommandBack5s:
      if (state_ != kHostStopped) SetPositionClamped(int64_t{position_} - kSkipMS);
      break;
    default:  // windows, dialogs, volume and closing change nothing the port can observe
      break;
  }
}

THostRecord& SimHost::Record(THostRequestKind kind, int32_t code, int64_t argument) {
  THostRecord record;
  record.Kind = kind;
  record.Code = code;
  record.Argument = argument;
  record.Entry = listPos_;
  record.PositionMS = position_;
  log_.push_back(std::move(record));
  return log_.back();
}

int32_t SimHost::CurrentLength() const {
  return entries_.empty() ? 0 : entries_[listPos_].LengthMS;
}

void SimHost::SetPositionClamped(int64_t ms) {
  position_ = static_cast<int32_t>(std::clamp<int64_t>(ms, 0, CurrentLength()));
}

bool SimHost::EnterFollowingEntry() {
  position_ = 0;
  if (shuffle_) {
    listPos_ = RandomOtherEntry();
    return true;
  }
  if (listPos_ + 1 < static_cast<int32_t>(entries_.size())) {
    ++listPos_;
    return true;
  }
  if (repeat_) {
    listPos_ = 0;
    return true;
  }
  state_ = kHostStopped;
  return false;
}

void SimHost::StepEntry(int32_t direction) {
  int32_t count = static_cast<int32_t>(entries_.size());
  if (count == 0) return;
  int32_t target = listPos_ + direction;
  if (shuffle_) {
    target = RandomOtherEntry();
  } else if (target < 0 || target >= count) {
    // At either end of the list only repeat goes round; otherwise the host stays put.
    if (!repeat_) return;
    target = target < 0 ? count - 1 : 0;
  }
  listPos_ = target;
  position_ = 0;
}

int32_t SimHost::RandomOtherEntry() {
  uint32_t count = static_cast<uint32_t>(entries_.size());
  if (count <= 1) return 0;
  int32_t pick = static_cast<int32_t>(random_() % (count - 1));
  return pick >= listPos_ ? pick + 1 : pick;
}

}  // namespace varimo
