#pragma once
// A simulated host player behind the host port: a playlist, a play state, a playback
// position driven by a virtual clock, and a log of every request it answered.

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/host.h"

namespace varimo {

enum class THostRequestKind { kIpc, kCommand, kRestore, kPopup };

// One request as the host saw it.
struct THostRecord {
  THostRequestKind Kind = THostRequestKind::kIpc;
  int32_t Code = 0;        // IPC code or command id; 0 for Restore and Popup
  int64_t Argument = 0;    // the number argument (entry index, seek target, on/off, window)
  int64_t Answer = 0;      // the number answer; 0 for requests that answer nothing or a text
  std::string Text;        // a text argument or answer: entry path, skin text, browser path
  int32_t Entry = 0;       // the list position when the request arrived
  int32_t PositionMS = 0;  // the playback position when the request arrived
};

struct TSimEntry {
  std::string Path;
  int32_t LengthMS = 0;
};

// Previous and next keep the play state and start the new entry at 0; with shuffle on
// they, like an entry's end, go to a random other entry, otherwise they go round the
// list only with repeat on. A stopped host reports no position (-1).
class SimHost : public IHost {
 public:
  explicit SimHost(uint32_t shuffleSeed = 1) : random_(shuffleSeed) {}

  // Playlist. Lengths below 1 ms count as 1 ms, so a clock step always makes progress.
  int32_t AddEntry(const std::string& path, int32_t lengthMS);
  // The entry's file is replaced under the same list position, as when the user
  // swaps files in the host's playlist.
  void SetEntryPath(int32_t index, const std::string& path);

  // Puts the host into a scene directly (as the user would by hand), without a request.
  // The position is clamped into the entry.
  void Place(int32_t entry, int32_t positionMS, HostPlayState state);

  // Runs the virtual clock: the position moves only while playing, and an entry's end
  // leads on to the next entry as the host's own playlist does.
  void Advance(int32_t ms);

  // After a play command that starts a host that was not playing, PlayState answers
  // stopped for this many queries, and the position holds still until it answers playing.
  void SetSlowStart(int32_t queries) { slowStart_ = queries; }

  void SetSkin(const std::string& directory, const std::string& answer);
  void SetMainWindow(THostHandle handle) { mainWindow_ = handle; }
  void SetHostWindow(HostWindowKind which, THostHandle handle);
  void SetMainPopupMenu(THostHandle handle) { popupMenu_ = handle; }

  // The host's real state, read without a request (the answers may lag behind it).
  HostPlayState ActualState() const { return state_; }
  int32_t ActualPositionMS() const { return position_; }
  int32_t ActualEntry() const { return listPos_; }
  bool ShuffleOn() const { return shuffle_; }
  bool RepeatOn() const { return repeat_; }

  const std::vector<THostRecord>& Log() const { return log_; }
  // A mark to count requests from.
  size_t LogMark() const { return log_.size(); }
  size_t CountSince(size_t mark) const { return mark < log_.size() ? log_.size() - mark : 0; }
  size_t CountIpc(HostIpc code, size_t mark = 0) const;
  size_t CountCommand(HostCommand command, size_t mark = 0) const;
  size_t Count(THostRequestKind kind, size_t mark = 0) const;

  THostHandle MainWindow() const override { return mainWindow_; }
  int32_t PlayState() override;
  int32_t PositionMS() override;
  void SeekTo(int32_t ms) override;
  int32_t ListPosition() override;
  std::string EntryPath(int32_t index) override;
  std::string SkinRequest(std::string& directory) override;
  void OpenBrowser(const std::string& path) override;
  void SetShuffle(bool on) override;
  void SetRepeat(bool on) override;
  THostHandle HostWindow(HostWindowKind which) override;
  THostHandle MainPopupMenu() override;
  void RestoreMainWindow() override;
  void OpenMainPopup() override;
  void Command(HostCommand command) override;

 private:
  THostRecord& Record(THostRequestKind kind, int32_t code, int64_t argument);
  int32_t CurrentLength() const;
  void SetPositionClamped(int64_t ms);
  // Moves on after the current entry ended; false when the playlist has run out.
  bool EnterFollowingEntry();
  void StepEntry(int32_t direction);
  int32_t RandomOtherEntry();

  std::vector<TSimEntry> entries_;
  int32_t listPos_ = 0;
  HostPlayState state_ = kHostStopped;
  int32_t position_ = 0;
  int32_t slowStart_ = 0;
  int32_t startingQueries_ = 0;  // stopped answers still owed after the last start
  bool shuffle_ = false;
  bool repeat_ = false;
  std::mt19937 random_;
  std::string skinDirectory_;
  std::string skinAnswer_;
  THostHandle mainWindow_ = 0;
  std::array<THostHandle, 4> hostWindows_{};
  THostHandle popupMenu_ = 0;
  std::vector<THostRecord> log_;
};

}  // namespace varimo
