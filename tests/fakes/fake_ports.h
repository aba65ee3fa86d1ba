#pragma once
// Fakes of the window, clock, translucency and view ports: each keeps what it was asked to
// do, so tests read the window's state and the drawings straight off them.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/host.h"
#include "platform/ports.h"

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
  void PumpMessages() override { ++Pumps; }
  TScreenSize ScreenSize() const override { return Screen; }
  bool IsWindowVisible(THostHandle window) const override;

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
  THostHandle HostMainWindow = 0;
  bool HostMainWindowVisible = true;

 private:
  TWindowBounds bounds_{0, 0, 275, 116};
};

// A manual clock; sleeping moves it on and runs OnSleep with the time slept.
class FakeClock : public IClock {
 public:
  uint32_t TickCount() override { return Now; }
  void Sleep(uint32_t ms) override;

  uint32_t Now = 0;
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
class FakeView : public IView {
 public:
  explicit FakeView(IHost& host) : host_(host) {}

  void LoadSkin(bool force) override;
  void DrawTimeDisplay(const TTimeDigits& digits, bool remain) override;
  void DrawSmallTime(const TTimeDigits& digits, bool remain) override;
  void BlankTimeDisplay() override;
  void DrawPositionThumb(int32_t offset, double fraction) override;
  void Repaint() override;

  size_t Count(ViewCall call) const;
  // The drawings after the mark.
  size_t Count(ViewCall call, size_t mark) const;
  size_t Mark() const { return Records.size(); }

  int SkinLoads = 0;
  std::vector<TViewRecord> Records;
  // Runs inside every repaint, as a message handled during painting would.
  std::function<void()> OnRepaint;

 private:
  TViewRecord& Record(ViewCall call);
  IHost& host_;
  std::string skin_;
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
