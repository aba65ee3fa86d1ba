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
  const bool changed = !Visible;
  Visible = true;
  if (changed && OnVisibility) OnVisibility(true);
}

void FakeWindow::Hide() {
  ++Hides;
  const bool changed = Visible;
  Visible = false;
  if (changed && OnVisibility) OnVisibility(false);
}

void FakeWindow::PlaceOther(THostHandle window, const TWindowBounds& bounds, bool visible) {
  Others[window].Bounds = bounds;
  Others[window].Visible = visible;
}

TWindowBounds FakeWindow::WindowBounds(THostHandle window) const {
  if (window == OwnHandle) return bounds_;
  const auto found = Others.find(window);
  return found != Others.end() ? found->second.Bounds : TWindowBounds{};
}

bool FakeWindow::IsMinimized(THostHandle window) const {
  const auto found = Others.find(window);
  return found != Others.end() && found->second.Minimized;
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
  if (window == HostMainWindow) return HostMainWindowVisible;
  const auto found = Others.find(window);
  return found != Others.end() && found->second.Visible;
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
  ReloadSkin(force, SkinDir, host_, *this, window_, *this, TimerInterval ? TimerInterval() : 200);
}

void FakeView::LoadSkinFiles(const std::string& folder) {
  ++SkinLoads;
  LoadedFolder = folder;
}

void FakeView::BindPaint() {
  PaintBound = true;
  if (OnBindPaint) OnBindPaint();
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

void FakeView::BlankTimeDisplay() {
  Record(ViewCall::kBlankTime);
}

void FakeView::DrawPositionThumb(int32_t offset, double fraction) {
  TViewRecord& record = Record(ViewCall::kThumb);
  record.Offset = offset;
  record.Fraction = fraction;
}

void FakeView::Repaint() {
  Record(ViewCall::kRepaint);
  if (OnRepaint) OnRepaint();
}

void FakeView::Relayout() {
  ++Relayouts;
  // Lays the window out as binding the painting does.
  if (OnBindPaint) OnBindPaint();
  Repaint();
}

void FakeDialogs::ShowOptions() {
  ++OptionsShown;
  if (OnOptions) OnOptions();
}

void FakeDialogs::ShowFileInfo() {
  ++FileInfoShown;
  if (OnFileInfo) OnFileInfo();
}

std::optional<std::string> FakeDialogs::BrowseForFolder(const std::string& title,
                                                        const std::string& proposed) {
  Browses.push_back({title, proposed});
  if (OnBrowse) OnBrowse();
  return FolderAnswer;
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

void FakePointer::MoveTo(TPoint point) {
  At = point;
  Moves.push_back(point);
}

void FakeKeyboard::KeyUp(int32_t virtualKey, bool mappedScanCode) {
  Keys.push_back("up:" + std::to_string(virtualKey) + (mappedScanCode ? "/scan" : ""));
}

void FakeKeyboard::KeyPress(int32_t virtualKey) {
  Keys.push_back("press:" + std::to_string(virtualKey));
}

int32_t FakeHotKeySystem::AddGlobalAtom(const std::string& name) {
  for (const auto& [atom, atomName] : Atoms) {
    if (atomName == name) return atom;
  }
  Atoms[next_] = name;
  return next_++;
}

void FakeHotKeySystem::DeleteGlobalAtom(int32_t atom) {
  Atoms.erase(atom);
}

bool FakeHotKeySystem::Register(int32_t id, int32_t modifiers, int32_t virtualKey) {
  const std::pair<int32_t, int32_t> combination{modifiers, virtualKey};
  if (std::find(Taken.begin(), Taken.end(), combination) != Taken.end()) return false;
  for (const auto& registered : Registered) {
    if (registered.second == combination) return false;
  }
  Registered[id] = combination;
  return true;
}

void FakeHotKeySystem::Unregister(int32_t id) {
  Registered.erase(id);
}

int32_t FakeMenus::TrackPopup(const std::vector<TMenuItem>& items, TPoint at) {
  ++Popups;
  Shown = items;
  ShownAt = at;
  return Pick ? Pick(items) : 0;
}

int32_t FakeMenus::ItemCount(THostHandle menu) {
  return static_cast<int32_t>(HostMenus[menu].size());
}

int32_t FakeMenus::ItemId(THostHandle menu, int32_t position) {
  const std::vector<THostItem>& items = HostMenus[menu];
  if (position < 0 || position >= static_cast<int32_t>(items.size())) return -1;
  return items[static_cast<size_t>(position)].Id;
}

bool FakeMenus::InsertItem(THostHandle menu, int32_t position, const std::string& caption,
                           int32_t id) {
  std::vector<THostItem>& items = HostMenus[menu];
  if (std::find(RefusedIds.begin(), RefusedIds.end(), id) != RefusedIds.end()) return false;
  for (const THostItem& item : items) {
    if (item.Id == id) return false;
  }
  position = std::clamp(position, 0, static_cast<int32_t>(items.size()));
  items.insert(items.begin() + position, THostItem{id, caption});
  return true;
}

void FakeMenus::RemoveItem(THostHandle menu, int32_t id) {
  std::vector<THostItem>& items = HostMenus[menu];
  items.erase(std::remove_if(items.begin(), items.end(),
                             [id](const THostItem& item) { return item.Id == id; }),
              items.end());
}

}  // namespace varimo
