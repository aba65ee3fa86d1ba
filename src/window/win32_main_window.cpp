#include "window/win32_main_window.h"

#include <windows.h>

#include <algorithm>

#include "engine/monitor.h"
#include "platform/win32_window_object.h"
#include "window/host_menu.h"
#include "window/keyboard.h"
#include "window/mouse.h"
#include "window/paint.h"
#include "window/paint_from_state.h"
#include "window/popup_menu.h"
#include "window/list_geometry.h"
#include "window/skin.h"
#include "window/skin_reload.h"
#include "window/skin_tables.h"
#include "window/win32_screen.h"

namespace varimo {
namespace {

constexpr char kClassName[] = "TVarimo";
constexpr char kCaption[] = "Winamp Varimo";
constexpr UINT_PTR kTimerId = 1;

HWND ToWindow(void* handle) {
  return static_cast<HWND>(handle);
}

int32_t PointX(LPARAM lParam) {
  return static_cast<int16_t>(LOWORD(lParam));
}

int32_t PointY(LPARAM lParam) {
  return static_cast<int16_t>(HIWORD(lParam));
}

bool AnyButtonHeld() {
  return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0 ||
         (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0 ||
         (GetAsyncKeyState(VK_MBUTTON) & 0x8000) != 0;
}

bool KeyHeld(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}

TKeyShift KeyShift() {
  return {KeyHeld(VK_MENU), KeyHeld(VK_CONTROL), KeyHeld(VK_SHIFT)};
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = WindowObject<Win32MainWindow>(hwnd, message, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  intptr_t result = 0;
  // An exception cannot pass through the system's code that called this procedure; a
  // handler that ran out of memory leaves the message to the default handling.
  try {
    if (window != nullptr && window->Dispatch(message, wParam, lParam, result)) {
      return static_cast<LRESULT>(result);
    }
  } catch (...) {
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A limit of 0 lifts it.
void KeepSizeLimits(WINDOWPOS& position, int32_t minHeight, int32_t maxHeight) {
  if ((position.flags & SWP_NOSIZE) != 0) return;
  if (maxHeight > 0) position.cy = std::min(position.cy, maxHeight);
  position.cy = std::max(position.cy, minHeight);
  position.cx = std::max(position.cx, kMinWidth);
}

bool RegisterWindowClass(HINSTANCE module) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = module;
  // The cursor follows the pointer over the window's parts (WM_SETCURSOR).
  wc.hCursor = nullptr;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  return RegisterClassExA(&wc) != 0;
}

}  // namespace

Win32MainWindow::Win32MainWindow(void* module, TVarimo& varimo, IHost& host)
    : module_(module), varimo_(varimo), host_(host), skin_(module) {}

Win32MainWindow::~Win32MainWindow() {
  Destroy();
}

bool Win32MainWindow::Create(THostHandle owner) {
  HINSTANCE module = static_cast<HINSTANCE>(module_);
  if (!RegisterWindowClass(module)) return false;
  classRegistered_ = true;
  // Borderless, so the window and its client area are one: the skin draws the frame.
  HWND hwnd =
      CreateWindowExA(0, kClassName, kCaption, WS_POPUP, 0, 0, kDesignWidth, kNormalMinHeight,
                      reinterpret_cast<HWND>(owner), nullptr, module, this);
  if (hwnd == nullptr) return false;
  window_ = hwnd;
  for (const TCursorResource& cursor : kBuiltInCursors) {
    cursors_[static_cast<size_t>(cursor.Number)] =
        LoadImageA(module, cursor.Name, IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR);
  }
  return true;
}

void Win32MainWindow::BindPaint() {
  paintBound_ = true;
  Resize();
}

void Win32MainWindow::Destroy() {
  paintBound_ = false;
  if (window_ != nullptr) DestroyWindow(ToWindow(window_));
  if (classRegistered_) {
    UnregisterClassA(kClassName, static_cast<HINSTANCE>(module_));
    classRegistered_ = false;
  }
  FreeCursors();
}

THostHandle Win32MainWindow::Handle() const {
  return reinterpret_cast<THostHandle>(window_);
}

bool Win32MainWindow::Dispatch(uint32_t message, uintptr_t wParam, intptr_t lParam,
                               intptr_t& result) {
  if (window_ == nullptr || ports_ == nullptr) return false;
  TPorts& ports = *ports_;
  switch (message) {
    case WM_PAINT: Paint(); return true;
    case WM_ERASEBKGND:
      // Every repaint covers the whole window; erasing first would only flicker.
      result = 1;
      return true;
    case WM_SIZE:
      if (paintBound_) Resize();
      return true;
    case WM_WINDOWPOSCHANGING:
      // The limits hold for every resize, whoever asks for it; a borderless window gets
      // none from the system.
      KeepSizeLimits(*reinterpret_cast<WINDOWPOS*>(lParam), minHeight_, maxHeight_);
      return false;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = kMinWidth;
      if (minHeight_ > 0) info->ptMinTrackSize.y = minHeight_;
      if (maxHeight_ > 0) info->ptMaxTrackSize.y = maxHeight_;
      return true;
    }
    case WM_ACTIVATE:
      varimo_.Window.Active = LOWORD(wParam) != WA_INACTIVE;
      Repaint();
      return false;
    case WM_TIMER:
      if (wParam == kTimerId) TimerTimer(varimo_, ports);
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      FormMouseDown(varimo_, ports, PointX(lParam), PointY(lParam));
      return true;
    case WM_LBUTTONDBLCLK:
      // The system sends a double click in place of the second press.
      FormDblClick(varimo_, ports);
      FormMouseDown(varimo_, ports, PointX(lParam), PointY(lParam));
      return true;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP: FormMouseUp(varimo_, ports); return true;
    case WM_RBUTTONUP:
      // The default handling goes on to the context menu.
      FormMouseUp(varimo_, ports);
      return false;
    case WM_CONTEXTMENU:
      if (varimo_.Window.State > 0) OpenPopupMenu(varimo_, ports, Position());
      return true;
    case WM_CAPTURECHANGED: KeepDragCapture(reinterpret_cast<HWND>(lParam)); return true;
    case WM_MOUSEMOVE:
      FormMouseMove(varimo_, ports, PointX(lParam), PointY(lParam),
                    (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0);
      return true;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) return false;
      ApplyCursor();
      result = TRUE;
      return true;
    case WM_MOUSEWHEEL: return FormMouseWheel(varimo_, ports, GET_WHEEL_DELTA_WPARAM(wParam));
    case WM_KEYDOWN:
      FormKeyDown(varimo_, ports, static_cast<int32_t>(wParam), KeyShift());
      return true;
    case WM_SYSKEYDOWN:
      // Alt with "3" is the window's own; every other system key (Alt+F4 among them) keeps
      // its default handling.
      if (wParam != kKey3) return false;
      FormKeyDown(varimo_, ports, kKey3, KeyShift());
      return true;
    case WM_SYSCHAR: return wParam == '3';
    case WM_CHAR: FormKeyPress(varimo_, ports, static_cast<char>(wParam), true); return true;
    case WM_CLOSE:
      // Closing hides the window; it lives until the library is unloaded.
      if (events_.Close) events_.Close();
      return true;
    case WM_SHOWWINDOW:
      // The system hides the window along with its minimised owner and shows it again with
      // the owner; a window hidden in between stays hidden.
      if (lParam == SW_PARENTOPENING && !shown_) return true;
      return false;
    case WM_HOTKEY:
      if (events_.HotKey) events_.HotKey(static_cast<int32_t>(wParam));
      return false;
    case WM_DESTROY:
      KillTimer(ToWindow(window_), kTimerId);
      // The owner's destruction may take the window before the library is unloaded; the
      // settings are saved by whichever comes first.
      if (!destroyed_) {
        destroyed_ = true;
        if (events_.Destroy) events_.Destroy();
      }
      return true;
    case WM_NCDESTROY: window_ = nullptr; return false;
    default: return false;
  }
}

void Win32MainWindow::Paint() {
  HWND hwnd = ToWindow(window_);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc != nullptr && paintBound_) {
    const TWindowBounds bounds = Bounds();
    GdiBufferedPaint paint(dc, bounds.Width, bounds.Height, skin_.Bitmaps(), fonts_);
    TWindowState& window = varimo_.Window;
    const std::optional<TScrollThumb> thumb =
        PaintMainWindow(paint.Canvas(), varimo_, skin_.PaintSkin(), bounds, window.TimeColumnX,
                        FontMetricsOf(window));
    paint.Present();
    if (thumb) {
      window.ThumbY = thumb->ThumbY;
      window.ScrollStep = thumb->ScrollStep;
    }
  }
  EndPaint(hwnd, &ps);
}

void Win32MainWindow::Resize() {
  const TOptionSettings& options = varimo_.Settings.Option;
  FormResize(varimo_.Window, Bounds(), options.FontSize, MeasureListFont());
  Repaint();
}

TFontMetrics Win32MainWindow::MeasureListFont() {
  const TOptionSettings& options = varimo_.Settings.Option;
  HWND hwnd = ToWindow(window_);
  HDC dc = GetDC(hwnd);
  if (dc == nullptr) return FontMetricsOf(varimo_.Window);
  TFontMetrics metrics;
  {
    GdiCanvas canvas(dc, skin_.Bitmaps(), fonts_);
    metrics = metrics_.Get(canvas, ListFont(options.FontName, options.FontSize));
  }
  ReleaseDC(hwnd, dc);
  return metrics;
}

template <typename Draw>
void Win32MainWindow::DrawOnWindow(Draw draw) {
  if (!paintBound_ || window_ == nullptr) return;
  HWND hwnd = ToWindow(window_);
  HDC dc = GetDC(hwnd);
  if (dc == nullptr) return;
  {
    GdiCanvas canvas(dc, skin_.Bitmaps(), fonts_);
    const TWindowBounds bounds = Bounds();
    draw(canvas, bounds.Width, bounds.Height);
  }
  ReleaseDC(hwnd, dc);
}

void Win32MainWindow::KeepDragCapture(void* takenBy) {
  if (varimo_.Window.DragMode == kDragNone || ports_ == nullptr) return;
  // Some systems (Wine among them) let go of the pointer when the window that holds it
  // moves; with the button still held the drag goes on. Another window taking the pointer
  // ends it, or no press would be taken again.
  if (takenBy == nullptr && AnyButtonHeld()) {
    SetCapture(ToWindow(window_));
    return;
  }
  FormMouseUp(varimo_, *ports_);
}

void Win32MainWindow::ApplyCursor() const {
  void* cursor = cursors_[static_cast<size_t>(cursor_)];
  ::SetCursor(cursor != nullptr ? static_cast<HCURSOR>(cursor) : LoadCursor(nullptr, IDC_ARROW));
}

void Win32MainWindow::FreeCursors() {
  for (void*& cursor : cursors_) {
    if (cursor == nullptr) continue;
    // A cursor still shown would be destroyed under the pointer.
    if (GetCursor() == cursor) ::SetCursor(LoadCursor(nullptr, IDC_ARROW));
    DestroyCursor(static_cast<HCURSOR>(cursor));
    cursor = nullptr;
  }
}

TWindowBounds Win32MainWindow::Bounds() const {
  return Win32WindowBounds(Handle());
}

void Win32MainWindow::SetBounds(const TWindowBounds& bounds) {
  if (window_ == nullptr) return;
  SetWindowPos(ToWindow(window_), nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32MainWindow::SetHeightLimits(int32_t minHeight, int32_t maxHeight) {
  minHeight_ = minHeight;
  maxHeight_ = maxHeight;
  SetBounds(Bounds());
}

// Shown and hidden are the window's own state, which its owner's being minimised leaves
// alone; the host's menu offers the item that shows it exactly while it is hidden.
void Win32MainWindow::Show() {
  if (window_ == nullptr || shown_) return;
  shown_ = true;
  ShowWindow(ToWindow(window_), SW_SHOWNOACTIVATE);
  if (ports_ != nullptr) FormShow(varimo_, *ports_);
}

void Win32MainWindow::Hide() {
  if (window_ == nullptr || !shown_) return;
  shown_ = false;
  ShowWindow(ToWindow(window_), SW_HIDE);
  if (ports_ != nullptr) FormHide(varimo_, *ports_);
}

void Win32MainWindow::StartTimer(int32_t intervalMS) {
  if (window_ != nullptr) {
    SetTimer(ToWindow(window_), kTimerId, static_cast<UINT>(std::max(intervalMS, 1)), nullptr);
  }
}

void Win32MainWindow::StopTimer() {
  if (window_ != nullptr) KillTimer(ToWindow(window_), kTimerId);
}

void Win32MainWindow::PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The host's own loop must still see that it is to end.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

TScreenSize Win32MainWindow::ScreenSize() const {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

TWorkArea Win32MainWindow::WorkArea() const {
  return Win32WorkArea();
}

bool Win32MainWindow::IsWindowVisible(THostHandle window) const {
  return ::IsWindowVisible(reinterpret_cast<HWND>(window)) != FALSE;
}

bool Win32MainWindow::IsShown() const {
  return window_ != nullptr && shown_;
}

TWindowBounds Win32MainWindow::WindowBounds(THostHandle window) const {
  return Win32WindowBounds(window);
}

bool Win32MainWindow::IsMinimized(THostHandle window) const {
  return IsIconic(reinterpret_cast<HWND>(window)) != FALSE;
}

void Win32MainWindow::Activate(THostHandle window) {
  SetForegroundWindow(reinterpret_cast<HWND>(window));
}

TPoint Win32MainWindow::Position() const {
  POINT point{0, 0};
  GetCursorPos(&point);
  return {point.x, point.y};
}

void Win32MainWindow::MoveTo(TPoint point) {
  SetCursorPos(point.X, point.Y);
}

void Win32MainWindow::Capture() {
  if (window_ != nullptr) SetCapture(ToWindow(window_));
}

void Win32MainWindow::ReleaseCapture() {
  ::ReleaseCapture();
}

void Win32MainWindow::SetCursor(int32_t number) {
  if (number < 1 || number >= static_cast<int32_t>(cursors_.size())) return;
  cursor_ = number;
  ApplyCursor();
}

uint32_t Win32MainWindow::TickCount() {
  return GetTickCount();
}

void Win32MainWindow::Sleep(uint32_t ms) {
  ::Sleep(ms);
}

void Win32MainWindow::AddLayeredStyle() {
  if (window_ == nullptr) return;
  HWND hwnd = ToWindow(window_);
  SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
}

bool Win32MainWindow::SetOpacity(uint8_t alpha) {
  if (window_ == nullptr) return false;
  HWND hwnd = ToWindow(window_);
  using SetLayeredWindowAttributesProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  // Looked up at run time: systems before Windows 2000 have no translucent windows.
  HMODULE user32 = LoadLibraryA("user32.dll");
  bool applied = false;
  if (user32 != nullptr) {
    auto setAttributes = reinterpret_cast<SetLayeredWindowAttributesProc>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
    applied = setAttributes != nullptr && setAttributes(hwnd, 0, alpha, LWA_ALPHA);
    FreeLibrary(user32);
  }
  // A layered window whose opacity was never set is never drawn: without translucency the
  // window goes back to an ordinary one.
  if (!applied) {
    SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  }
  return applied;
}

void Win32MainWindow::LoadSkin(bool force) {
  ReloadSkin(force, skinDir_, host_, skin_, *this, *this, varimo_.Settings.Option.TimerMS);
}

void Win32MainWindow::DrawTimeDisplay(const TTimeDigits& digits, bool remain) {
  DrawOnWindow([&](ICanvas& canvas, int width, int height) {
    varimo::DrawTimeDisplay(canvas, width, height, digits, remain);
  });
}

void Win32MainWindow::DrawSmallTime(const TTimeDigits& digits, bool remain) {
  DrawOnWindow([&](ICanvas& canvas, int width, int) {
    varimo::DrawSmallTime(canvas, width, digits, remain);
  });
}

void Win32MainWindow::BlankTimeDisplay() {
  DrawOnWindow([](ICanvas& canvas, int width, int height) {
    varimo::BlankTimeDisplay(canvas, width, height);
  });
}

void Win32MainWindow::DrawPositionThumb(int32_t offset, double fraction) {
  const bool ownLayout = skin_.PaintSkin().OwnLayout;
  DrawOnWindow([&](ICanvas& canvas, int width, int height) {
    varimo::DrawPositionThumb(canvas, width, height, ownLayout, offset, fraction);
  });
}

void Win32MainWindow::Relayout() {
  if (paintBound_ && window_ != nullptr) Resize();
}

void Win32MainWindow::Repaint() {
  if (!paintBound_ || window_ == nullptr) return;
  RedrawWindow(ToWindow(window_), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

}  // namespace varimo
