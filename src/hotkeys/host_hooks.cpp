#include "hotkeys/host_hooks.h"

#include "window/keyboard.h"
#include "window/appearance.h"

namespace varimo {
namespace {

// A minimised window's top lies this close to the work area's bottom edge.
constexpr int32_t kParkedMargin = 29;
// Alt and the show key toggle the window at most this often.
constexpr uint32_t kToggleGuardMS = 100;

struct THostKey {
  uint32_t VirtualKey;
  char Character;
};

// Punctuation keys as the Japanese layout labels them, and Enter.
constexpr THostKey kHostKeys[] = {
    {13, '\r'}, {186, ':'}, {187, ';'}, {188, ','},  {189, '-'}, {190, '.'},
    {191, '/'}, {192, '@'}, {219, '['}, {220, '\\'}, {221, ']'}, {222, '^'},
};

void RememberCorner(THostWindows& windows, const TWindowBounds& host) {
  windows.MainLeft = host.Left;
  windows.MainTop = host.Top;
}

}  // namespace

char HostKeyCharacter(uint32_t virtualKey) {
  // Digits and letters have the codes of their characters.
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) {
    return static_cast<char>(virtualKey);
  }
  for (const THostKey& key : kHostKeys) {
    if (key.VirtualKey == virtualKey) return key.Character;
  }
  return 0;
}

void ForwardHostKey(TVarimo& varimo, TPorts& ports, uint32_t virtualKey) {
  FormKeyPress(varimo, ports, HostKeyCharacter(virtualKey), false);
}

bool IsTextFieldClass(const std::string& className) {
  std::string name;
  for (char c : className) name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  // Every version of the rich edit names its class with this prefix.
  return name == "edit" || name.rfind("richedit", 0) == 0 || name == "msctls_hotkey32";
}

bool ForwardsHostKey(const THostKeyTarget& target) {
  return !target.PluginWindow && !IsTextFieldClass(target.ClassName);
}

bool IsHostParked(const THostMainWindow& main, const TWorkArea& work) {
  if (main.Minimized) return true;
  const TWindowBounds& host = main.Bounds;
  const int64_t workHeight = int64_t{work.Bottom} - work.Top;
  return host.Left <= work.Left && int64_t{host.Top} - work.Top >= workHeight - kParkedMargin;
}

void FollowHostMove(TVarimo& varimo, IWindow& window, const THostMainWindow& main,
                    const TWorkArea& work) {
  const TWindowBounds& host = main.Bounds;
  if (varimo.Album.LoadState == kLoadFirstBuild || varimo.Window.Minimized != 0) return;
  if (IsHostParked(main, work)) return;
  THostWindows& windows = varimo.HostWindows;
  if (varimo.Window.Docked && (host.Left != windows.MainLeft || host.Top != windows.MainTop)) {
    TWindowBounds bounds = window.Bounds();
    bounds.Left += host.Left - windows.MainLeft;
    bounds.Top += host.Top - windows.MainTop;
    window.SetBounds(bounds);
  }
  RememberCorner(windows, host);
}

void HostSizeChanged(TVarimo& varimo, IWindow& window, const THostMainWindow& main,
                     const TWorkArea& work) {
  const TWindowBounds& host = main.Bounds;
  TAlbumState& album = varimo.Album;
  TWindowState& state = varimo.Window;
  if (album.LoadState == kLoadFirstBuild) return;
  if (state.Minimized == 0 && IsHostParked(main, work)) {
    state.Minimized = 1;
    return;
  }
  if (state.Minimized < 0) {
    // The host shows itself for the first time since start-up.
    state.Docked = state.Minimized == -2;
    if (!varimo.Settings.Option.VisibleChk) {
      if (state.State > 0) window.Show();
    } else {
      // Shown again once the first build finds an album.
      if (state.State > 0) {
        state.State = -state.State;
        album.AlbumFile.clear();
      }
      album.LoadState = kLoadFirstBuild;
      album.SavedStatePending = true;
    }
    RememberCorner(varimo.HostWindows, host);
  }
  state.Minimized = 0;
}

void HostSystemKey(TVarimo& varimo, TPorts& ports, uint32_t virtualKey, bool altDown) {
  const uint32_t key = virtualKey & 0xFFFF;
  if (!altDown || key != static_cast<uint8_t>(varimo.Settings.Option.VisibleKey)) return;
  THotKeyState& hotKeys = varimo.HotKeys;
  const uint32_t now = ports.Clock.TickCount();
  if (now - hotKeys.LastToggleTick <= kToggleGuardMS) return;
  ToggleVisible(varimo, ports);
  hotKeys.LastToggleTick = now;
}

void HostMenuCommand(TVarimo& varimo, TPorts& ports, uint32_t command) {
  const int32_t item = varimo.Window.HostMenuItemId;
  if (item != 0 && command == static_cast<uint32_t>(item)) ToggleVisible(varimo, ports);
}

}  // namespace varimo
