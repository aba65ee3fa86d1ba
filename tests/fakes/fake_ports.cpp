#include "fakes/fake_ports.h"

#include <algorithm>

namespace varimo {

void FakeWindow::SetBounds(const TWindowBounds& bounds) {
  bounds_ = bounds;
  if (MaxHeight > 0) bounds_.Height = std::min(bounds_.Height, MaxHeight);
  bounds_.Height = std::max(bounds_.Height, MinHeight);
}

void FakeWindow::SetHeightLimits(int32_t minHeight, int32_t maxHeight) {
  MinHeight = minHeight;
  MaxHeight = maxHeight;
  SetBounds(bounds_);
}

void FakeWindow::Show() {
  ++Shows;
  Visible = true;
}

void FakeWindow::Hide() {
  ++Hides;
  Visible = false;
}

void FakeWindow::StartTimer(int32_t intervalMS) {
  ++TimerStarts;
  TimerRunning = true;
  TimerInterval = intervalMS;
}

void FakeWindow::StopTimer() {
  ++TimerStops;
  TimerRunning = false;
}

bool FakeWindow::IsWindowVisible(THostHandle window) const {
  return window == HostMainWindow && HostMainWindowVisible;
}

void FakeClock::Sleep(uint32_t ms) {
  Now += ms;
  Slept += ms;
  if (OnSleep) OnSleep(ms);
}

bool FakeTransparency::SetOpacity(uint8_t alpha) {
  if (!Available) return false;
  Opacities.push_back(alpha);
  return true;
}

void FakeView::LoadSkin(bool force) {
  std::string directory;
  std::string answer = host_.SkinRequest(directory);
  if (!force && answer == skin_) return;
  skin_ = answer;
  ++SkinLoads;
}

TViewRecord& FakeView::Record(ViewCall call) {
  Records.push_back(TViewRecord{});
  Records.back().Call = call;
  return Records.back();
}

void FakeView::DrawTimeDisplay(const TTimeDigits& digits, bool remain) {
  TViewRecord& record = Record(ViewCall::kTimeDisplay);
  record.Digits = digits;
  record.Remain = remain;
}

void FakeView::DrawSmallTime(const TTimeDigits& digits, bool remain) {
  TViewRecord& record = Record(ViewCall::kSmallTime);
  record.Digits = digits;
  record.Remain = remain;
}

void FakeView::BlankTimeDisplay() { Record(ViewCall::kBlankTime); }

void FakeView::DrawPositionThumb(int32_t offset, double fraction) {
  TViewRecord& record = Record(ViewCall::kThumb);
  record.Offset = offset;
  record.Fraction = fraction;
}

void FakeView::Repaint() {
  Record(ViewCall::kRepaint);
  if (OnRepaint) OnRepaint();
}

size_t FakeView::Count(ViewCall call) const {
  return Count(call, 0);
}

size_t FakeView::Count(ViewCall call, size_t mark) const {
  return static_cast<size_t>(
      std::count_if(Records.begin() + std::min(mark, Records.size()), Records.end(),
                    [call](const TViewRecord& r) { return r.Call == call; }));
}

std::unique_ptr<IFile> CountingFiles::OpenRead(const std::string& path) {
  ++Calls;
  return inner_.OpenRead(path);
}

std::unique_ptr<IFile> CountingFiles::Create(const std::string& path) {
  ++Calls;
  return inner_.Create(path);
}

bool CountingFiles::FileExists(const std::string& path) {
  ++Calls;
  return inner_.FileExists(path);
}

bool CountingFiles::FolderExists(const std::string& path) {
  ++Calls;
  return inner_.FolderExists(path);
}

}  // namespace varimo
