#pragma once
// The host port over the real player: synchronous messages to its main window.

#include "platform/host.h"

namespace varimo {

class Win32Host : public IHost {
 public:
  explicit Win32Host(THostHandle mainWindow) : mainWindow_(mainWindow) {}

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
  THostHandle mainWindow_;
};

}  // namespace varimo
