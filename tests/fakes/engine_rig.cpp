#include "fakes/engine_rig.h"

#include <algorithm>
#include <numeric>

#include "engine/monitor.h"
#include "frame/varimo.h"
#include "support/container_builder.h"
#include "support/mpeg_builder.h"
#include "window/host_menu.h"
#include "window/list_geometry.h"

namespace varimo {
namespace {

// 32 kbit/s keeps a minute of audio at 240 kB.
MpegFrameSpec LowRate() {
  MpegFrameSpec spec;
  spec.BitrateIndex = 1;
  return spec;
}

}  // namespace

bool RigReplacer::Replace(const std::string& path, const std::string& bytes) {
  ++Replaces;
  disk_.Add(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  return true;
}

EngineRig::EngineRig() {
  Host.SetMainWindow(kRigHostWindow);
  Host.SetMainPopupMenu(kRigHostMenu);
  Window.HostMainWindow = kRigHostWindow;
  // The host's main window right of the window's default place, as the real host puts it.
  Window.PlaceOther(kRigHostWindow, {375, 100, 275, 116});
  // The host's main menu: the run that starts at "main window" ends before the submenus.
  Menus.HostMenus[kRigHostMenu] = {{40041, "About"},
                                   {0, ""},
                                   {40029, "Play file"},
                                   {40155, "Play URL"},
                                   {0, ""},
                                   {40258, "Main Window"},
                                   {40040, "Playlist"},
                                   {40036, "Equalizer"},
                                   {0, ""},
                                   {-1, "Options"},
                                   {-1, "Playback"},
                                   {0, ""},
                                   {40001, "Exit"}};
  Clock.OnSleep = [this](uint32_t ms) { Host.Advance(static_cast<int32_t>(ms)); };
  View.TimerInterval = [this] { return Varimo.Settings.Option.TimerMS; };
  // The list font's widths as a 10-pixel font measures them.
  View.OnBindPaint = [this] {
    FormResize(Varimo.Window, Window.Bounds(), Varimo.Settings.Option.FontSize, TFontMetrics{6, 3});
  };
  Window.OnVisibility = [this](bool shown) {
    if (shown) {
      FormShow(Varimo, Ports);
    } else {
      FormHide(Varimo, Ports);
    }
  };
}

int32_t EngineRig::AddZipAlbum(const std::string& path, const std::vector<int32_t>& trackMS) {
  std::vector<ZipMemberSpec> members;
  for (size_t i = 0; i < trackMS.size(); ++i) {
    ZipMemberSpec member;
    member.Name = std::to_string(i + 1) + ".mp3";
    member.Data = MakeMp3OfDuration(trackMS[i], LowRate());
    members.push_back(std::move(member));
  }
  Disk.Add(path, BuildZip(members));
  return Host.AddEntry(path, std::accumulate(trackMS.begin(), trackMS.end(), 0));
}

int32_t EngineRig::AddPlainFile(const std::string& path, int32_t lengthMS) {
  Disk.Add(path, MakeMp3OfDuration(lengthMS, LowRate()));
  return Host.AddEntry(path, lengthMS);
}

int32_t EngineRig::AddMissingFile(const std::string& path, int32_t lengthMS) {
  return Host.AddEntry(path, lengthMS);
}

void EngineRig::PutIni(const std::string& text) {
  Disk.Add(kRigIniPath, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string EngineRig::IniText() const {
  const std::vector<uint8_t>* bytes = Disk.Find(kRigIniPath);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

void EngineRig::UseTenSecondAlbum(int32_t count, const std::set<int32_t>& excluded) {
  Album().Tracks.assign(count, TTrackItem{});
  for (int32_t i = 0; i < count; ++i) {
    TTrackItem& t = Album().Tracks[i];
    t.StartMS = i * 10000;
    t.LengthMS = 10000;
    t.Mark = excluded.count(i) ? -1 : 0;
  }
  Host.AddEntry("C:\\album.zip", count * 10000);
  Host.AddEntry("C:\\other.mp3", 5000);
  Album().AlbumKind = kAlbumZip;
  Host.Place(0, 500, kHostPlaying);
  Play().HostState = kHostPlaying;
}

void EngineRig::ShowTenSecondAlbum(int32_t count, const std::set<int32_t>& excluded) {
  UseTenSecondAlbum(count, excluded);
  AttachHostWindows(Varimo, Host, Window.WindowBounds(kRigHostWindow));
  Album().AlbumFile = "C:\\album.zip";
  Album().LoadState = kLoadPlaying;
  Window.SetBounds({100, 100, 275, 116});
  Window.Visible = true;
  Win().State = kStateNormal;
  Win().VisibleRows = 5;
  Varimo.Settings.Option.FontSize = 10;
}

void EngineRig::StartUp() {
  varimo::StartUp(Varimo, Ports);
}

bool EngineRig::ShutDown() {
  return FormDestroy(Varimo, Ports);
}

void EngineRig::Tick() {
  TimerTimer(Varimo, Ports);
}

std::vector<std::string> EngineRig::Steering(size_t mark) const {
  std::vector<std::string> out;
  for (size_t i = mark; i < Host.Log().size(); ++i) {
    const THostRecord& r = Host.Log()[i];
    if (r.Kind == THostRequestKind::kCommand) {
      out.push_back("cmd:" + std::to_string(r.Code));
      continue;
    }
    if (r.Kind == THostRequestKind::kRestore || r.Kind == THostRequestKind::kPopup) {
      out.push_back(r.Kind == THostRequestKind::kRestore ? "restore" : "popup");
      continue;
    }
    switch (r.Code) {
      case kIpcSkin:
      case kIpcPlayState:
      case kIpcListPosition:
      case kIpcEntryPath:
      case kIpcPositionMS: break;
      default: out.push_back("ipc:" + std::to_string(r.Code) + ":" + std::to_string(r.Argument));
    }
  }
  return out;
}

void EngineRig::Run(int32_t ms) {
  while (ms > 0) {
    const int32_t step =
        Window.TimerRunning && Window.TimerInterval > 0 ? std::min(ms, Window.TimerInterval) : ms;
    Clock.Now += static_cast<uint32_t>(step);
    Host.Advance(step);
    ms -= step;
    if (Window.TimerRunning) Tick();
  }
}

}  // namespace varimo
