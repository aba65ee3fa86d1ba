#include "win32_desktop.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "scenario.h"
#include "win32_sim_host.h"
#include "win32_text.h"

namespace varimo {
namespace {

struct TSearch {
  const std::string* Name;
  const Win32SimHost* Host;
  HWND Visible = nullptr;
  HWND Hidden = nullptr;
};

// The stored caption, read without a message: the window may belong to a modal loop.
bool NameMatches(HWND window, const std::string& name) {
  if (name == ClassNameOf(window)) return true;
  std::wstring caption = StoredCaption(window);
  return !caption.empty() && (Utf8FromWide(caption) == name || AnsiFromWide(caption) == name);
}

bool IsOfThisProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

BOOL CALLBACK SearchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TSearch*>(data);
  if (!IsOfThisProcess(window) || search->Host->IsOwnWindow(window)) return TRUE;
  if (!NameMatches(window, *search->Name)) return TRUE;
  if (IsWindowVisible(window)) {
    search->Visible = window;
    return FALSE;
  }
  if (search->Hidden == nullptr) search->Hidden = window;
  return TRUE;
}

BOOL CALLBACK UniteWindow(HWND window, LPARAM data) {
  auto* rect = reinterpret_cast<RECT*>(data);
  if (!IsOfThisProcess(window) || !IsWindowVisible(window)) return TRUE;
  RECT r;
  GetWindowRect(window, &r);
  if (r.right <= r.left || r.bottom <= r.top) return TRUE;
  UnionRect(rect, rect, &r);
  return TRUE;
}

struct TKeyName {
  const char* Name;
  WORD Code;
};

constexpr TKeyName kKeyNames[] = {
    {"enter", VK_RETURN},   {"esc", VK_ESCAPE},    {"space", VK_SPACE},   {"tab", VK_TAB},
    {"backspace", VK_BACK}, {"left", VK_LEFT},     {"right", VK_RIGHT},   {"up", VK_UP},
    {"down", VK_DOWN},      {"pageup", VK_PRIOR},  {"pagedown", VK_NEXT}, {"home", VK_HOME},
    {"end", VK_END},        {"insert", VK_INSERT}, {"delete", VK_DELETE}, {"comma", 188},
    {"period", 190},        {"minus", 189},        {"slash", 191},        {"f1", VK_F1},
    {"f2", VK_F2},          {"f3", VK_F3},         {"f4", VK_F4},         {"f5", VK_F5},
    {"f6", VK_F6},          {"f7", VK_F7},         {"f8", VK_F8},         {"f9", VK_F9},
    {"f10", VK_F10},        {"f11", VK_F11},       {"f12", VK_F12},
};

}  // namespace

bool ParseModifierKeys(const std::vector<std::string>& words, size_t first,
                       std::vector<WORD>& keys) {
  for (size_t i = first; i < words.size(); ++i) {
    if (words[i] == "alt") {
      keys.push_back(VK_MENU);
    } else if (words[i] == "ctrl") {
      keys.push_back(VK_CONTROL);
    } else if (words[i] == "shift") {
      keys.push_back(VK_SHIFT);
    } else {
      return false;
    }
  }
  return true;
}

std::optional<WORD> ParseKey(const std::string& word) {
  if (word.size() == 1 && std::isalnum(static_cast<unsigned char>(word[0]))) {
    return static_cast<WORD>(std::toupper(static_cast<unsigned char>(word[0])));
  }
  for (const TKeyName& key : kKeyNames) {
    if (word == key.Name) return key.Code;
  }
  std::optional<int64_t> code = ParseInteger(word);
  if (code && *code > 0 && *code < 256) return static_cast<WORD>(*code);
  return std::nullopt;
}
HWND FindProcessWindow(

    const std::string& name, const Win32SimHost& host) {
  TSearch search{&name, &host};
  EnumWindows(SearchWindow, reinterpret_cast<LPARAM>(&search));
  return search.Visible != nullptr ? search.Visible : search.Hidden;
}

RECT VisibleProcessWindowsRect() {
  RECT rect = {0, 0, 0, 0};
  EnumWindows(UniteWindow, reinterpret_cast<LPARAM>(&rect));
  RECT screen = VirtualScreenRect();
  IntersectRect(&rect, &rect, &screen);
  return rect;
}

RECT VirtualScreenRect() {
  int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
          top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool CaptureScreen(const RECT& rect, TImage& image) {
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = dib != nullptr;
  if (ok) {
    HGDIOBJ old = SelectObject(memory, dib);
    ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    if (ok) {
      const auto* pixels = static_cast<const uint32_t*>(bits);
      image.Width = width;
      image.Height = height;
      image.Pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
      for (uint32_t& pixel : image.Pixels) pixel &= 0xFFFFFF;
    }
    SelectObject(memory, old);
    DeleteObject(dib);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

bool WriteImageFile(const std::string& path, const TImage& image, std::string& error) {
  std::vector<uint8_t> bytes = EncodeImage(image, path);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot create " + path;
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fclose(file) == 0 && ok;
  if (!ok) error = "cannot write " + path;
  return ok;
}

void MoveCursorTo(POINT screen) {
  // Absolute input spans 0-65535 over the virtual desktop's first to last pixel.
  RECT desk = VirtualScreenRect();
  int width = std::max<int>(2, desk.right - desk.left);
  int height = std::max<int>(2, desk.bottom - desk.top);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = ((screen.x - desk.left) * 65535 + (width - 1) / 2) / (width - 1);
  input.mi.dy = ((screen.y - desk.top) * 65535 + (height - 1) / 2) / (height - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  SendInput(1, &input, sizeof(input));
}

void SendMouseButton(bool right, bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                           : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  SendInput(1, &input, sizeof(input));
}

void SendClick(bool right, bool twice) {
  INPUT inputs[4] = {};
  int count = twice ? 4 : 2;
  for (int i = 0; i < count; ++i) {
    inputs[i].type = INPUT_MOUSE;
    bool down = i % 2 == 0;
    inputs[i].mi.dwFlags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                                 : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  }
  SendInput(count, inputs, sizeof(INPUT));
}

void SendText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(input);
    input.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SendWheel(int notches) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
  SendInput(1, &input, sizeof(input));
}

void SendKey(WORD virtualKey, bool up) {
  // The navigation keys sit on the extended part of the keyboard; without the flag the
  // system would report them as the numeric pad's keys.
  static const WORD kExtended[] = {VK_LEFT, VK_RIGHT, VK_UP,  VK_DOWN,   VK_PRIOR,
                                   VK_NEXT, VK_HOME,  VK_END, VK_INSERT, VK_DELETE};
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (std::find(std::begin(kExtended), std::end(kExtended), virtualKey) != std::end(kExtended)) {
    input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  }
  SendInput(1, &input, sizeof(input));
}

}  // namespace varimo
