#pragma once
// The simulated host player on screen: its main window (which answers every request of
// the plug-in), equalizer, playlist editor, a mini browser, and the main popup menu.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "player.h"
#include "request_log.h"

namespace varimo {

// A key message or an activation that one of the host's windows received.
struct THostEvent {
  enum class Kind { kKeyDown, kKeyUp, kSysKeyDown, kSysKeyUp, kActivated, kDeactivated };
  Kind What = Kind::kKeyDown;
  HWND Window = nullptr;
  int Key = 0;              // the virtual key of a key message
  bool Foreground = false;  // an activated window is the foreground window
  uint32_t TimeMS = 0;
};

const char* HostEventKindName(THostEvent::Kind kind);

class Win32SimHost {
 public:
  explicit Win32SimHost(RequestLog& log) : log_(log) {}
  Win32SimHost(const Win32SimHost&) = delete;
  Win32SimHost& operator=(const Win32SimHost&) = delete;
  ~Win32SimHost() { Destroy(); }

  // Creates the windows in the classic stack: main window at origin, equalizer below it,
  // playlist editor below that; the browser starts hidden.
  bool Create(HINSTANCE instance, POINT origin, std::string& error);
  void Destroy();

  HWND Main() const { return main_; }
  HWND Equalizer() const { return equalizer_; }
  HWND Playlist() const { return playlist_; }
  HWND Browser() const { return browser_; }
  HMENU MainMenu() const { return menu_; }
  // The playlist editor's search field, an edit box along its bottom, made on first use:
  // a text field of the host's own. Returns it.
  HWND ShowSearchField();
  bool IsOwnWindow(HWND window) const;
  // "main", "equalizer", "playlist" or "browser"; empty for other windows.
  const char* WindowName(HWND window) const;
  const std::vector<THostEvent>& Events() const { return events_; }
  void ForgetEvents() { events_.clear(); }
  // How long the main popup menu stays open before it closes itself; 0 keeps it open
  // until it is picked from or dismissed.
  void SetPopupCloseMS(uint32_t ms) { popupCloseMS_ = ms; }

  SimPlayer& Player() { return player_; }
  // Brings playback up to now and repaints what changed.
  void Tick();
  // An empty directory and name stand for the host's built-in skin.
  void SetSkin(const std::string& directory, const std::string& name);
  // The host was told to close (command 40001 or a close message).
  bool CloseRequested() const { return closeRequested_; }

  // Milliseconds since the host started, the time base of the log.
  uint32_t Now() const { return GetTickCount() - startTick_; }
  void Note(const std::string& text) { log_.Note(Now(), text); }
  void Step(const std::string& text) { log_.Step(Now(), text); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMainMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT AnswerIpc(WPARAM wParam, LPARAM code, THostRequest& request);
  void RunCommand(int32_t id);
  void OpenPopupMenu();
  void Paint(HWND window);
  THostRequest StartRequest(TRequestKind kind, int64_t code, int64_t argument);
  void ToggleVisible(HWND window);
  void Record(THostEvent::Kind kind, HWND window, int key);

  RequestLog& log_;
  SimPlayer player_;
  HWND main_ = nullptr;
  HWND equalizer_ = nullptr;
  HWND playlist_ = nullptr;
  HWND browser_ = nullptr;
  HWND search_ = nullptr;
  HMENU menu_ = nullptr;
  HFONT font_ = nullptr;
  uint32_t startTick_ = GetTickCount();
  bool closeRequested_ = false;
  std::string skinDirectory_;
  std::string skinName_;
  std::string browserPage_;
  // The entry-path answer points here; the caller copies it at once.
  char entryPath_[2 * MAX_PATH] = {};
  // What the windows last showed, to repaint only on change.
  int32_t shownIndex_ = -1;
  int32_t shownSecond_ = -1;
  TPlayerState shownState_ = TPlayerState::kStopped;
  // Where in its title bar a host window was grabbed for a drag.
  POINT dragOffset_ = {0, 0};
  std::vector<THostEvent> events_;
  uint32_t popupCloseMS_ = 400;
};

}  // namespace varimo
