#include "win32_sim_host.h"

#include <algorithm>
#include <cstring>

#include "platform/win32_window_object.h"
#include "win32_host_paint.h"

namespace varimo {
namespace {

constexpr int kWindowWidth = 275;
constexpr int kWindowHeight = 116;
// Dragging a host window by its title bar moves it, so a scenario can move the host
// with the mouse like a user. The drag is done here rather than by the system's move
// loop, which is modal and would stall the scenario that moves the mouse.
constexpr int kTitleBarHeight = 14;

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMS = 100;
// The host's popup menu is modal; unless a scenario drives it, it closes itself so that
// a scenario never waits on it.
constexpr UINT_PTR kPopupTimer = 2;

constexpr int32_t kSkipMS = 5000;
constexpr int32_t kVolumeStep = 8;
// Texts handed in by address are read no further than this.
constexpr size_t kMaxArgumentText = 4096;
constexpr size_t kSkinBufferSize = 260;

// The host's commands (first argument of its command message).
enum : int32_t {
  kCmdClose = 40001,
  kCmdToggleRepeat = 40022,
  kCmdToggleShuffle = 40023,
  kCmdOpenFile = 40029,
  kCmdToggleEqualizer = 40036,
  kCmdTogglePlaylist = 40040,
  kCmdPrevious = 40044,
  kCmdPlay = 40045,
  kCmdPause = 40046,
  kCmdStop = 40047,
  kCmdNext = 40048,
  kCmdVolumeUp = 40058,
  kCmdVolumeDown = 40059,
  kCmdForward = 40060,
  kCmdBack = 40061,
  kCmdToggleMain = 40258,
  kCmdPreferences = 40012,
  kCmdSkins = 40219,
  kCmdAbout = 40041,
  kCmdOpenLocation = 40155,
};

struct TWindowClass {
  const char* ClassName;
  const char* Title;
  int Row;  // position in the stack, in window heights below the main window
};

constexpr TWindowClass kMainClass = {"Winamp v1.x", "Winamp", 0};
constexpr TWindowClass kEqualizerClass = {"Winamp EQ", "Winamp Equalizer", 1};
constexpr TWindowClass kPlaylistClass = {"Winamp PE", "Winamp Playlist Editor", 2};
constexpr TWindowClass kBrowserClass = {"Winamp MB", "Winamp Browser", 3};

bool RegisterHostClass(HINSTANCE instance, const char* name, WNDPROC proc) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The host's main popup menu: the window items start with command 40258, and a submenu
// follows them after a separator, as in the real host.
HMENU BuildMainMenu() {
  HMENU options = CreatePopupMenu();
  AppendMenuA(options, MF_STRING, kCmdPreferences, "Preferences...");
  AppendMenuA(options, MF_STRING, kCmdSkins, "Skins...");
  HMENU playback = CreatePopupMenu();
  AppendMenuA(playback, MF_STRING, kCmdPrevious, "Previous");
  AppendMenuA(playback, MF_STRING, kCmdPlay, "Play");
  AppendMenuA(playback, MF_STRING, kCmdPause, "Pause");
  AppendMenuA(playback, MF_STRING, kCmdStop, "Stop");
  AppendMenuA(playback, MF_STRING, kCmdNext, "Next");

  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, kCmdAbout, "Simulated Winamp...");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kCmdOpenFile, "Play file...");
  AppendMenuA(menu, MF_STRING, kCmdOpenLocation, "Play location...");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING | MF_CHECKED, kCmdToggleMain, "Main window");
  AppendMenuA(menu, MF_STRING | MF_CHECKED, kCmdTogglePlaylist, "Playlist editor");
  AppendMenuA(menu, MF_STRING | MF_CHECKED, kCmdToggleEqualizer, "Equalizer");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(options), "Options");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(playback), "Playback");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kCmdClose, "Exit");
  return menu;
}

int32_t PlayStateAnswer(TPlayerState state) {
  switch (state) {
    case TPlayerState::kPlaying: return 1;
    case TPlayerState::kPaused: return 3;
    case TPlayerState::kStopped: break;
  }
  return 0;
}

std::string ReadArgumentText(WPARAM address) {
  const char* text = reinterpret_cast<const char*>(address);
  return std::string(text, strnlen(text, kMaxArgumentText));
}

}  // namespace

const char* HostEventKindName(THostEvent::Kind kind) {
  switch (kind) {
    case THostEvent::Kind::kKeyDown: return "down";
    case THostEvent::Kind::kKeyUp: return "up";
    case THostEvent::Kind::kSysKeyDown: return "sysdown";
    case THostEvent::Kind::kSysKeyUp: return "sysup";
    case THostEvent::Kind::kActivated: return "activated";
    case THostEvent::Kind::kDeactivated: return "deactivated";
  }
  return "";
}

bool Win32SimHost::Create(HINSTANCE instance, POINT origin, std::string& error) {
  for (const TWindowClass* c : {&kMainClass, &kEqualizerClass, &kPlaylistClass, &kBrowserClass}) {
    if (!RegisterHostClass(instance, c->ClassName, WindowProc)) {
      error = std::string("cannot register window class ") + c->ClassName;
      return false;
    }
  }
  font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                      DEFAULT_PITCH, "MS UI Gothic");
  menu_ = BuildMainMenu();
  // The other windows are owned by the main window, so they go and come with it when it
  // is minimised and restored, as the player's own windows do.
  auto create = [&](const TWindowClass& c, bool visible) {
    DWORD style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | (visible ? WS_VISIBLE : 0);
    int height = c.Row == 3 ? 3 * kWindowHeight : kWindowHeight;
    int left = c.Row == 3 ? origin.x + kWindowWidth : origin.x;
    int top = c.Row == 3 ? origin.y : origin.y + c.Row * kWindowHeight;
    return CreateWindowExA(0, c.ClassName, c.Title, style, left, top, kWindowWidth, height, main_,
                           nullptr, instance, this);
  };
  main_ = create(kMainClass, true);
  equalizer_ = create(kEqualizerClass, true);
  playlist_ = create(kPlaylistClass, true);
  browser_ = create(kBrowserClass, false);
  if (main_ == nullptr || equalizer_ == nullptr || playlist_ == nullptr || browser_ == nullptr) {
    error = "cannot create the host's windows";
    return false;
  }
  SetTimer(main_, kTickTimer, kTickMS, nullptr);
  SetForegroundWindow(main_);
  return true;
}

HWND Win32SimHost::ShowSearchField() {
  if (search_ == nullptr && playlist_ != nullptr) {
    RECT client;
    GetClientRect(playlist_, &client);
    search_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 4,
                              client.bottom - 24, client.right - 8, 20, playlist_, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (search_ != nullptr) SendMessageA(search_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
  }
  if (search_ != nullptr) ShowWindow(search_, SW_SHOW);
  return search_;
}

void Win32SimHost::Destroy() {
  // A child goes with its window.
  search_ = nullptr;
  for (HWND* window : {&browser_, &playlist_, &equalizer_, &main_}) {
    if (*window != nullptr) DestroyWindow(*window);
    *window = nullptr;
  }
  if (menu_ != nullptr) DestroyMenu(menu_);
  menu_ = nullptr;
  if (font_ != nullptr) DeleteObject(font_);
  font_ = nullptr;
}

bool Win32SimHost::IsOwnWindow(HWND window) const {
  return window != nullptr &&
         (window == main_ || window == equalizer_ || window == playlist_ || window == browser_);
}

const char* Win32SimHost::WindowName(HWND window) const {
  if (window == nullptr) return "";
  if (window == main_) return "main";
  if (window == equalizer_) return "equalizer";
  if (window == playlist_) return "playlist";
  if (window == browser_) return "browser";
  return "";
}

void Win32SimHost::Record(THostEvent::Kind kind, HWND window, int key) {
  THostEvent event;
  event.What = kind;
  event.Window = window;
  event.Key = key;
  event.Foreground = GetForegroundWindow() == window;
  event.TimeMS = Now();
  events_.push_back(event);
  bool isKey = kind != THostEvent::Kind::kActivated && kind != THostEvent::Kind::kDeactivated;
  // While the windows are being created they have no names yet; their titles say which.
  char title[64] = {};
  if (*WindowName(window) == '\0') GetWindowTextA(window, title, sizeof(title));
  Note(std::string("host: ") + (isKey ? "key " : "") + HostEventKindName(kind) +
       (isKey ? " " + std::to_string(key) : std::string()) + " in " +
       (*WindowName(window) != '\0' ? WindowName(window) : title) +
       (kind == THostEvent::Kind::kActivated && event.Foreground ? " (foreground)" : ""));
}

void Win32SimHost::Tick() {
  player_.Update(GetTickCount());
  int32_t second = player_.PositionMS() / 1000;
  if (player_.Index() != shownIndex_ || player_.State() != shownState_) {
    InvalidateRect(playlist_, nullptr, FALSE);
    InvalidateRect(main_, nullptr, FALSE);
  } else if (second != shownSecond_) {
    InvalidateRect(main_, nullptr, FALSE);
  }
  shownIndex_ = player_.Index();
  shownState_ = player_.State();
  shownSecond_ = second;
}

void Win32SimHost::SetSkin(const std::string& directory, const std::string& name) {
  skinDirectory_ = directory;
  skinName_ = name;
  InvalidateRect(main_, nullptr, FALSE);
}

LRESULT CALLBACK Win32SimHost::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* host = WindowObject<Win32SimHost>(window, message, lParam);
  if (host == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return host->HandleMessage(window, message, wParam, lParam);
}

LRESULT Win32SimHost::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
      if (static_cast<short>(HIWORD(lParam)) < kTitleBarHeight) {
        dragOffset_ = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        SetCapture(window);
      }
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == window) {
        POINT cursor;
        GetCursorPos(&cursor);
        SetWindowPos(window, nullptr, cursor.x - dragOffset_.x, cursor.y - dragOffset_.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    // Not requests, but scenarios look for them: keys the plug-in synthesizes or
    // forwards, and the windows it brings to the front.
    case WM_KEYDOWN: Record(THostEvent::Kind::kKeyDown, window, static_cast<int>(wParam)); break;
    case WM_KEYUP: Record(THostEvent::Kind::kKeyUp, window, static_cast<int>(wParam)); break;
    case WM_SYSKEYDOWN:
      Record(THostEvent::Kind::kSysKeyDown, window, static_cast<int>(wParam));
      break;
    case WM_SYSKEYUP: Record(THostEvent::Kind::kSysKeyUp, window, static_cast<int>(wParam)); break;
    case WM_ACTIVATE:
      Record(LOWORD(wParam) == WA_INACTIVE ? THostEvent::Kind::kDeactivated
                                           : THostEvent::Kind::kActivated,
             window, 0);
      break;
    default: break;
  }
  if (window == main_) return HandleMainMessage(message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Win32SimHost::HandleMainMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_USER: {
      THostRequest request = StartRequest(TRequestKind::kIpc, lParam, static_cast<int32_t>(wParam));
      LRESULT answer = AnswerIpc(wParam, lParam, request);
      request.Answer = static_cast<int32_t>(answer);
      log_.Add(request);
      Tick();
      return answer;
    }
    case WM_COMMAND:
      log_.Add(StartRequest(TRequestKind::kCommand, LOWORD(wParam), 0));
      RunCommand(LOWORD(wParam));
      Tick();
      return 0;
    case WM_SYSCOMMAND: log_.Add(StartRequest(TRequestKind::kSysCommand, wParam & 0xFFF0, 0)); break;
    case WM_RBUTTONDOWN: log_.Add(StartRequest(TRequestKind::kRButtonDown, 0, 0)); return 0;
    case WM_RBUTTONUP:
      log_.Add(StartRequest(TRequestKind::kRButtonUp, 0, 0));
      OpenPopupMenu();
      return 0;
    case WM_TIMER:
      if (wParam == kTickTimer) Tick();
      if (wParam == kPopupTimer) {
        KillTimer(main_, kPopupTimer);
        EndMenu();
      }
      return 0;
    case WM_HOTKEY:
      Note("host: hot key " + std::to_string(wParam) + " modifiers " +
           std::to_string(LOWORD(lParam)) + " key " + std::to_string(HIWORD(lParam)));
      return 0;
    case WM_CLOSE:
      Note("host: close requested");
      closeRequested_ = true;
      return 0;
    default: break;
  }
  return DefWindowProcA(main_, message, wParam, lParam);
}

THostRequest Win32SimHost::StartRequest(TRequestKind kind, int64_t code, int64_t argument) {
  player_.Update(GetTickCount());
  THostRequest request;
  request.Kind = kind;
  request.Code = code;
  request.Argument = argument;
  request.State = PlayerStateName(player_.State());
  request.Entry = player_.Index();
  request.PositionMS = player_.PositionMS();
  request.TimeMS = Now();
  return request;
}

LRESULT Win32SimHost::AnswerIpc(WPARAM wParam, LPARAM code, THostRequest& request) {
  uint32_t now = GetTickCount();
  switch (code) {
    case 104: return PlayStateAnswer(player_.State());
    case 105: return player_.State() == TPlayerState::kStopped ? -1 : player_.PositionMS();
    case 106: return player_.Seek(static_cast<int32_t>(wParam), now) ? 0 : -1;
    case 125: return player_.Index();
    case 211: {
      int32_t index = static_cast<int32_t>(wParam);
      if (index < 0 || index >= static_cast<int32_t>(player_.Entries().size())) return 0;
      const std::string& path = player_.Entries()[index].Path;
      size_t size = std::min(path.size(), sizeof(entryPath_) - 1);
      std::memcpy(entryPath_, path.data(), size);
      entryPath_[size] = '\0';
      request.AnswerText = entryPath_;
      request.HasAnswerText = true;
      return reinterpret_cast<LRESULT>(entryPath_);
    }
    case 201: {
      if (wParam != 0) {
        char* buffer = reinterpret_cast<char*>(wParam);
        size_t size = std::min(skinDirectory_.size(), kSkinBufferSize - 1);
        std::memcpy(buffer, skinDirectory_.data(), size);
        buffer[size] = '\0';
        request.ArgumentText = std::string(buffer, size);
        request.HasArgumentText = true;
      }
      request.AnswerText = skinName_;
      request.HasAnswerText = true;
      return reinterpret_cast<LRESULT>(skinName_.c_str());
    }
    case 249:
      if (wParam != 0) {
        browserPage_ = ReadArgumentText(wParam);
        request.ArgumentText = browserPage_;
        request.HasArgumentText = true;
      }
      ShowWindow(browser_, SW_SHOWNOACTIVATE);
      InvalidateRect(browser_, nullptr, FALSE);
      return 0;
    case 252: player_.SetShuffle(wParam != 0); return 0;
    case 253: player_.SetRepeat(wParam != 0); return 0;
    case 260: {
      HWND windows[] = {equalizer_, playlist_, browser_, nullptr};
      return wParam < 4 ? reinterpret_cast<LRESULT>(windows[wParam]) : 0;
    }
    case 281: return reinterpret_cast<LRESULT>(menu_);
    default: return 0;
  }
}

void Win32SimHost::RunCommand(int32_t id) {
  uint32_t now = GetTickCount();
  switch (id) {
    case kCmdClose: closeRequested_ = true; break;
    case kCmdToggleRepeat: player_.SetRepeat(!player_.Repeat()); break;
    case kCmdToggleShuffle: player_.SetShuffle(!player_.Shuffle()); break;
    case kCmdToggleEqualizer: ToggleVisible(equalizer_); break;
    case kCmdTogglePlaylist: ToggleVisible(playlist_); break;
    case kCmdToggleMain: ToggleVisible(main_); break;
    case kCmdPrevious: player_.Previous(now); break;
    case kCmdPlay: player_.Play(now); break;
    case kCmdPause: player_.Pause(now); break;
    case kCmdStop: player_.Stop(now); break;
    case kCmdNext: player_.Next(now); break;
    case kCmdVolumeUp: player_.ChangeVolume(kVolumeStep); break;
    case kCmdVolumeDown: player_.ChangeVolume(-kVolumeStep); break;
    case kCmdForward: player_.Skip(kSkipMS, now); break;
    case kCmdBack: player_.Skip(-kSkipMS, now); break;
    default:
      // The open-file dialog and commands of other plug-ins have no simulated effect;
      // the log shows they arrived.
      break;
  }
}

void Win32SimHost::ToggleVisible(HWND window) {
  ShowWindow(window, IsWindowVisible(window) ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void Win32SimHost::OpenPopupMenu() {
  POINT point;
  GetCursorPos(&point);
  SetForegroundWindow(main_);
  if (popupCloseMS_ > 0) SetTimer(main_, kPopupTimer, popupCloseMS_, nullptr);
  TrackPopupMenu(menu_, TPM_RIGHTBUTTON, point.x, point.y, 0, main_, nullptr);
  KillTimer(main_, kPopupTimer);
  PostMessageA(main_, WM_NULL, 0, 0);
}

void Win32SimHost::Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  // Drawn off screen first, so screenshots never catch a half-painted window.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  HGDIOBJ oldFont = SelectObject(memory, font_);
  if (window == main_) {
    PaintMainWindow(memory, client, player_, skinName_);
  } else if (window == equalizer_) {
    PaintEqualizer(memory, client);
  } else if (window == playlist_) {
    PaintPlaylistEditor(memory, client, player_);
  } else {
    PaintBrowser(memory, client, browserPage_);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldFont);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window, &ps);
}

}  // namespace varimo
