#include "frame/win32_host.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace varimo {
namespace {

// The skin request writes at most a path of the system's classic length.
constexpr size_t kSkinBufferSize = 260;
// Longer than any path the system can open, so a text the host failed to terminate
// is not copied without end.
constexpr size_t kMaxHostText = 32768;
constexpr uintptr_t kUnmappedEdge = 0x10000;

HWND ToWindow(THostHandle handle) {
  return reinterpret_cast<HWND>(handle);
}

// The host answers in a 32-bit register; a 64-bit build must not read garbage above it,
// and negative answers (no position) must stay negative.
int32_t ToInt32(LRESULT result) {
  return static_cast<int32_t>(result);
}

// The host's texts live in its own buffers and change with its next request, so they are
// copied before anything else happens.
std::string CopyHostText(LRESULT result) {
  // A host that answers a number such as 1 or -1 where it owes an address has no text; the
  // system never maps the lowest and the highest 64 KiB, so those are no addresses.
  const uintptr_t address = static_cast<uintptr_t>(result);
  if (address < kUnmappedEdge || address > UINTPTR_MAX - kUnmappedEdge) return std::string();
  const char* text = reinterpret_cast<const char*>(address);
  return std::string(text, strnlen(text, kMaxHostText));
}

}  // namespace

int32_t Win32Host::PlayState() {
  return ToInt32(SendMessageA(ToWindow(mainWindow_), WM_USER, 0, kIpcPlayState));
}

int32_t Win32Host::PositionMS() {
  return ToInt32(SendMessageA(ToWindow(mainWindow_), WM_USER, 0, kIpcPositionMS));
}

void Win32Host::SeekTo(int32_t ms) {
  SendMessageA(ToWindow(mainWindow_), WM_USER, static_cast<WPARAM>(ms), kIpcSeekTo);
}

int32_t Win32Host::ListPosition() {
  return ToInt32(SendMessageA(ToWindow(mainWindow_), WM_USER, 0, kIpcListPosition));
}

std::string Win32Host::EntryPath(int32_t index) {
  return CopyHostText(
      SendMessageA(ToWindow(mainWindow_), WM_USER, static_cast<WPARAM>(index), kIpcEntryPath));
}

std::string Win32Host::SkinRequest(std::string& directory) {
  char buffer[kSkinBufferSize] = {};
  std::string answer = CopyHostText(
      SendMessageA(ToWindow(mainWindow_), WM_USER, reinterpret_cast<WPARAM>(buffer), kIpcSkin));
  buffer[kSkinBufferSize - 1] = '\0';
  directory.assign(buffer);
  return answer;
}

void Win32Host::OpenBrowser(const std::string& path) {
  SendMessageA(ToWindow(mainWindow_), WM_USER, 0, kIpcBrowser);
  SendMessageA(ToWindow(mainWindow_), WM_USER, reinterpret_cast<WPARAM>(path.c_str()), kIpcBrowser);
}

void Win32Host::SetShuffle(bool on) {
  SendMessageA(ToWindow(mainWindow_), WM_USER, on ? 1 : 0, kIpcSetShuffle);
}

void Win32Host::SetRepeat(bool on) {
  SendMessageA(ToWindow(mainWindow_), WM_USER, on ? 1 : 0, kIpcSetRepeat);
}

THostHandle Win32Host::HostWindow(HostWindowKind which) {
  return static_cast<THostHandle>(
      SendMessageA(ToWindow(mainWindow_), WM_USER, static_cast<WPARAM>(which), kIpcHostWindow));
}

THostHandle Win32Host::MainPopupMenu() {
  return static_cast<THostHandle>(
      SendMessageA(ToWindow(mainWindow_), WM_USER, 0, kIpcMainPopupMenu));
}

void Win32Host::RestoreMainWindow() {
  SendMessageA(ToWindow(mainWindow_), WM_SYSCOMMAND, SC_RESTORE, 0);
}

void Win32Host::OpenMainPopup() {
  SendMessageA(ToWindow(mainWindow_), WM_RBUTTONDOWN, 0, 0);
  SendMessageA(ToWindow(mainWindow_), WM_RBUTTONUP, 0, 0);
}

void Win32Host::Command(HostCommand command) {
  SendMessageA(ToWindow(mainWindow_), WM_COMMAND, static_cast<WPARAM>(command), 0);
}

}  // namespace varimo
