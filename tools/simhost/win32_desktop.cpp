#include "win32_desktop.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "win32_sim_host.h"

namespace varimo {
namespace {

struct TSearch {
  const std::string* Name;
  const Win32SimHost* Host;
  HWND Visible = nullptr;
  HWND Hidden = nullptr;
};

std::string Utf8Caption(HWND window) {
  wchar_t wide[512];
  int length = GetWindowTextW(window, wide, 512);
  if (length <= 0) return std::string();
  char utf8[1536];
  int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8, sizeof(utf8), nullptr, nullptr);
  return std::string(utf8, size > 0 ? size : 0);
}

bool NameMatches(HWND window, const std::string& name) {
  char text[512];
  int length = GetClassNameA(window, text, sizeof(text));
  if (length > 0 && name == std::string(text, length)) return true;
  length = GetWindowTextA(window, text, sizeof(text));
  if (length > 0 && name == std::string(text, length)) return true;
  return name == Utf8Caption(window);
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

}  // namespace

HWND FindProcessWindow(const std::string& name, const Win32SimHost& host) {
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
  SetCursorPos(screen.x, screen.y);
}

void SendMouseButton(bool right, bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                           : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  SendInput(1, &input, sizeof(input));
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
