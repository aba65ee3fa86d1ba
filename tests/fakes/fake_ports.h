#pragma once
// Fakes of the window, clock, translucency and view ports: each keeps what it was asked to
// do, so tests read the window's state and the drawings straight off them.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/ui_ports.h"
#include "window/skin_reload.h"

namespace varimo {

class FakeWindow : public IWindow {
 public:
  TWindowBounds Bounds() const override { return bounds_; }
  // Heights are held within the limits, as the window system holds them.
  void SetBounds(const TWindowBounds& bounds) override;
  void SetHeightLimits(int32_t minHeight, int32_t maxHeight) override;
  void Show() override;
  void Hide() override;
  void StartTimer(int32_t intervalMS) override;
  void StopTimer() override;
  void PumpMessages() override {
    ++Pumps;
    if (OnPump) OnPump();
  }
  TScreenSize ScreenSize() const override { return Screen; }
  TWorkArea WorkArea() const override { return Work; }
  bool IsWindowVisible(THostHandle window) const override;
  THostHandle Handle() const override { return OwnHandle; }
  bool IsShown() const override { return Visible; }
  TWindowBounds WindowBounds(THostHandle window) const override;
  bool IsMinimized(THostHandle window) const override;
  void Activate(THostHandle window) override { Activated.push_back(window); }

  // Another program's window as the system reports it.
  struct TOtherWindow {
    TWindowBounds Bounds;
    bool Visible = true;
    bool Minimized = false;
  };
  // Puts one of the host's windows on the screen.
  void PlaceOther(THostHandle window, const TWindowBounds& bounds, bool visible = true);

  bool Visible = false;
  int Shows = 0;
  int Hides = 0;
  bool TimerRunning = false;
  int32_t TimerInterval = 0;
  int TimerStarts = 0;
  int TimerStops = 0;
  int Pumps = 0;
  int32_t MinHeight = 0;
  int32_t MaxHeight = 0;
  TScreenSize Screen{1280, 1024};
  TWorkArea Work{0, 0, 1280, 994};
  THostHandle OwnHandle = 0x7777;
  THostHandle HostMainWindow = 0;
  bool HostMainWindowVisible = true;
  std::map<THostHandle, TOtherWindow> Others;
  std::vector<THostHandle> Activated;
  // Runs after every change of the window's visibility, as the system's show and hide
  // messages do.
  std::function<void(bool shown)> OnVisibility;
  // Runs at every pump, as a message waiting then would.
  std::function<void()> OnPump;

 private:
  TWindowBounds bounds_{0, 0, 275, 116};
};

// A manual clock; sleeping moves it on and runs OnSleep with the time slept.
class FakeClock : public IClock {
 public:
  // Each reading moves the clock on by Step.
  uint32_t TickCount() override {
    const uint32_t now = Now;
    Now += Step;
    return now;
  }
  void Sleep(uint32_t ms) override;

  uint32_t Now = 0;
  uint32_t Step = 0;
  uint64_t Slept = 0;
  std::function<void(uint32_t)> OnSleep;
};

class FakeTransparency : public ITransparency {
 public:
  void AddLayeredStyle() override { Layered = true; }
  bool SetOpacity(uint8_t alpha) override;

  bool Available = true;  // false: the system has no translucent windows
  bool Layered = false;
  std::vector<uint8_t> Opacities;  // every opacity set, in order
};

enum class ViewCall { kTimeDisplay, kSmallTime, kBlankTime, kThumb, kRepaint };

struct TViewRecord {
  ViewCall Call = ViewCall::kRepaint;
  TTimeDigits Digits{};
  bool Remain = false;
  int32_t Offset = 0;
  double Fraction = 0;
};

// Keeps every drawing. Its skin check asks the host as the real one does, and reloads when
// the answer changes.
class FakeView : public IView, public ISkinFiles {
 public:
  FakeView(IHost& host, IWindow& window) : host_(host), window_(window) {}

  void LoadSkin(bool force) override;
  void BindPaint() override;
  void LoadSkinFiles(const std::string& folder) override;
  void DrawTimeDisplay(const TTimeDigits& digits, bool remain) override;
  void DrawSmallTime(const TTimeDigits& digits, bool remain) override;
  void BlankTimeDisplay() override;
  void DrawPositionThumb(int32_t offset, double fraction) override;
  void Repaint() override;
  void Relayout() override;

  size_t Count(ViewCall call) const;
  // The drawings after the mark.
  size_t Count(ViewCall call, size_t mark) const;
  size_t Mark() const { return Records.size(); }

  int SkinLoads = 0;
  int Relayouts = 0;
  std::vector<TViewRecord> Records;
  // Runs inside every repaint, as a message handled during painting would.
  std::function<void()> OnRepaint;
  // Runs when painting is bound.
  std::function<void()> OnBindPaint;
  // The interval the timer restarts with after a skin load.
  std::function<int32_t()> TimerInterval;
  bool PaintBound = false;
  std::string SkinDir;       // the host's answer at the last load
  std::string LoadedFolder;  // the folder the last load read

 private:
  TViewRecord& Record(ViewCall call);
  IHost& host_;
  IWindow& window_;
};

class FakePointer : public IPointer {
 public:
  TPoint Position() const override { return At; }
  void MoveTo(TPoint point) override;
  void Capture() override { Captured = true; }
  void ReleaseCapture() override { Captured = false; }
  void SetCursor(int32_t number) override { Cursor = number; }

  TPoint At;
  bool Captured = false;
  int32_t Cursor = 0;
  std::vector<TPoint> Moves;  // every move the window made
};

class FakeKeyboard : public IKeyboard {
 public:
  void KeyUp(int32_t virtualKey, bool mappedScanCode) override;
  void KeyPress(int32_t virtualKey) override;
  // "up:<vk>" (with "/scan" for a mapped scan code) and "press:<vk>", in order.
  std::vector<std::string> Keys;
};

class FakeHotKeySystem : public IHotKeySystem {
 public:
  int32_t AddGlobalAtom(const std::string& name) override;
  void DeleteGlobalAtom(int32_t atom) override;
  bool Register(int32_t id, int32_t modifiers, int32_t virtualKey) override;
  void Unregister(int32_t id) override;

  std::map<int32_t, std::string> Atoms;  // live atoms
  // Registered: id -> (modifiers, key). Taken: combinations another program holds.
  std::map<int32_t, std::pair<int32_t, int32_t>> Registered;
  std::vector<std::pair<int32_t, int32_t>> Taken;

 private:
  int32_t next_ = 0xC000;
};

class FakeHooks : public IHooks {
 public:
  void Install() override {
    ++Installs;
    Installed = true;
  }
  void Remove() override { Installed = false; }
  bool Installed = false;
  int Installs = 0;
};

// A menu of the host's as a list of (id, caption); -1 marks a submenu.
class FakeMenus : public IMenus {
 public:
  int32_t TrackPopup(const std::vector<TMenuItem>& items, TPoint at) override;
  int32_t ItemCount(THostHandle menu) override;
  int32_t ItemId(THostHandle menu, int32_t position) override;
  bool InsertItem(THostHandle menu, int32_t position, const std::string& caption,
                  int32_t id) override;
  void RemoveItem(THostHandle menu, int32_t id) override;

  struct THostItem {
    int32_t Id = 0;
    std::string Caption;
  };
  std::map<THostHandle, std::vector<THostItem>> HostMenus;
  std::vector<int32_t> RefusedIds;  // ids an insertion fails with
  // The last popup shown and where; the pick answers it.
  std::vector<TMenuItem> Shown;
  TPoint ShownAt;
  int Popups = 0;
  std::function<int32_t(const std::vector<TMenuItem>&)> Pick;
};

// Records what was shown and started; the folder browser answers FolderAnswer, after
// OnBrowse has run as the browser's own message loop would run the timer.
class FakeDialogs : public IDialogs {
 public:
  void ShowMessage(const std::string& text) override {
    Messages.push_back(text);
    // What the user does while the box is up.
    if (OnMessage) OnMessage();
  }
  void ShowOptions() override;
  void ShowFileInfo() override;
  std::optional<std::string> BrowseForFolder(const std::string& title,
                                             const std::string& proposed) override;
  void StartProgram(const std::string& program, const std::string& commandLine) override {
    Programs.push_back({program, commandLine});
  }

  std::vector<std::string> Messages;
  std::function<void()> OnMessage;
  int OptionsShown = 0;
  int FileInfoShown = 0;
  // Run while the dialog is open.
  std::function<void()> OnOptions;
  std::function<void()> OnFileInfo;
  struct TBrowse {
    std::string Title;
    std::string Proposed;
  };
  std::vector<TBrowse> Browses;
  std::optional<std::string> FolderAnswer;
  std::function<void()> OnBrowse;
  std::vector<std::pair<std::string, std::string>> Programs;  // program, command line
};

// Counts every call that reaches the files, so a test can see that none did.
class CountingFiles : public IFiles {
 public:
  explicit CountingFiles(IFiles& inner) : inner_(inner) {}

  std::unique_ptr<IFile> OpenRead(const std::string& path) override;
  std::unique_ptr<IFile> Create(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  uint32_t LastError() const override { return inner_.LastError(); }

  int Calls = 0;

 private:
  IFiles& inner_;
};

}  // namespace varimo
