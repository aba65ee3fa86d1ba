#include "dialogs/options_model.h"

#include <algorithm>

#include "common/text.h"
#include "sources/extraction.h"
#include "window/popup_menu.h"

namespace varimo {
namespace {

std::vector<std::string> KeyEntries(bool withPunctuation) {
  std::vector<std::string> entries;
  for (char c = '0'; c <= '9'; ++c) entries.emplace_back(1, c);
  for (char c = 'A'; c <= 'Z'; ++c) entries.emplace_back(1, c);
  if (withPunctuation) {
    for (const char* c : {",", ".", "/", ";", ":", "]", "@", "[", "-", "^", "\\"}) {
      entries.emplace_back(c);
    }
  }
  return entries;
}

int32_t KeyPosition(const std::vector<std::string>& entries, char key) {
  return EntryIndex(entries, std::string(1, key));
}

}  // namespace

const std::vector<std::string> kTrackKeyEntries = KeyEntries(true);
const std::vector<std::string> kVisibleKeyEntries = KeyEntries(false);

void TUpDown::Set(int32_t position) {
  Position = std::clamp(position, Min, Max);
}

TUpDown OptionUpDown(int32_t TOptionSettings::*option, int32_t step, TUpDownStart start) {
  const TSettingRow& row = SettingRowOf(option);
  TUpDown upDown{row.Max, row.Min, row.Max, step};
  if (start == TUpDownStart::kDefault) upDown.Set(row.Default);
  return upDown;
}

TEnabledLook LookFor(bool checked) {
  if (!checked) return TEnabledLook{};
  return TEnabledLook{true, TSystemColor::kWindow, TSystemColor::kWindowText};
}

void TOptionsModel::FormShow() {
  RefreshSample();
  ApplyEnabled = false;
}

void TOptionsModel::CheckBoxCorrectClick(bool checked) {
  Correct = checked;
  OnUpdate();
}

void TOptionsModel::CheckBoxTransparenceClick(bool checked) {
  Transparence = checked;
  OnUpdate();
}

void TOptionsModel::CheckBoxAlbumMemoryClick(bool checked) {
  AlbumMemory = checked;
  OnUpdate();
}

void TOptionsModel::CheckBoxAlbumResumeClick(bool checked) {
  // A disabled check box takes no clicks; one that reaches the model all the same is not
  // taken either.
  if (!AlbumResumeLook().Enabled) return;
  AlbumResume = checked;
  OnUpdate();
}

void TOptionsModel::CheckBoxHotKeyClick(bool checked) {
  HotKeyEnabled = checked;
  HotKeyList.Selected = -1;
  HotKeyList.Armed = -1;
  OnUpdate();
}

void TOptionsModel::CheckBoxFormNoClick(bool checked) {
  FormatList.Numbered = checked;
  RefreshSample();
}

void TOptionsModel::UpDownTimerClick(int32_t position) {
  Timer.Set(position);
  Break.Min = Timer.Position;
  Break.Set(Break.Position);
  OnUpdate();
}

void TOptionsModel::UpDownClick(TUpDown& upDown, int32_t position) {
  upDown.Set(position);
  OnUpdate();
}

void TOptionsModel::Take(TListChange change) {
  if (change == TListChange::kHotKeys) OnUpdate();
  if (change == TListChange::kFormat) RefreshSample();
}

void TOptionsModel::RefreshSample() {
  Sample = FormatList.Sample();
  OnUpdate();
}

void TOptionsModel::ButtonMeasureClick(IHost& host, IClock& clock) {
  if (!Measuring) {
    Measuring = true;
    host.Play();
    clock.Sleep(100);
    MeasureStartPosition = host.PositionMS();
    MeasureStartTick = clock.TickCount();
    return;
  }
  const int32_t position = host.PositionMS();
  const uint32_t tick = clock.TickCount();
  // The tick count wraps; the difference of two readings does not.
  const uint32_t elapsedClock = tick - MeasureStartTick;
  std::optional<int32_t> correction =
      elapsedClock > static_cast<uint32_t>(INT32_MAX)
          ? std::nullopt
          : MeasuredCorrection(position - MeasureStartPosition, static_cast<int32_t>(elapsedClock));
  if (correction) {
    CorrectMS.Set(*correction);
    OnUpdate();
  }
  host.Stop();
  Measuring = false;
}

std::optional<int32_t> MeasuredCorrection(int32_t elapsedPlayMS, int32_t elapsedClockMS) {
  if (elapsedClockMS == 0) return std::nullopt;
  // In 32 bits the product overflows once the spans differ by half a minute.
  const int64_t perMinute =
      (int64_t{elapsedClockMS} - elapsedPlayMS) * 60000 / int64_t{elapsedClockMS};
  return static_cast<int32_t>(std::clamp<int64_t>(perMinute, INT32_MIN, INT32_MAX));
}

char KeyAt(const std::vector<std::string>& entries, int32_t position, char fallback) {
  if (position < 0 || position >= static_cast<int32_t>(entries.size())) return fallback;
  return entries[static_cast<size_t>(position)][0];
}

TProgramBrowseStart ProgramBrowseStart(const std::string& path) {
  TProgramBrowseStart start;
  start.Folder = ProposedFolder(path);
  size_t cut = FindLastSeparator(path, "\\:");
  start.FileName = cut == std::string::npos ? path : path.substr(cut + 1);
  if (start.FileName.empty()) start.FileName = "MP3on3.exe";
  return start;
}

std::string HelpPagePath(const std::string& hostProgramPath) {
  return HelpFilePath(hostProgramPath, CaptionLanguage());
}

TDialogRect DialogPosition(const TWindowBounds& main, int32_t width, int32_t height,
                           const TScreenSize& screen) {
  return FileInfoDialogPosition(main.Left, main.Top, main.Width, main.Height, width, height,
                                screen.Width, screen.Height);
}

TOptionsModel LoadOptionsModel(const TVarimo& varimo) {
  const TOptionSettings& o = varimo.Settings.Option;
  TOptionsModel m;
  m.Visible = o.VisibleChk;
  m.PlayTime = o.PlayTime;
  m.Timer.Set(o.TimerMS);
  m.Break.Set(o.BreakMS);
  m.Break.Min = m.Timer.Position;
  m.Break.Set(m.Break.Position);
  m.Correct = o.Correct;
  m.CorrectMS.Set(o.CorrectMS);
  m.PrevKey = KeyPosition(kTrackKeyEntries, o.PrevKey);
  m.NextKey = KeyPosition(kTrackKeyEntries, o.NextKey);
  m.VisibleKey = KeyPosition(kVisibleKeyEntries, o.VisibleKey);
  m.AlbumMemory = o.AlbumMemory;
  m.AlbumResume = o.AlbumResume;
  m.HotKeyEnabled = varimo.HotKeys.HotKeyEnabled;
  m.HotKeyList = THotKeyList::FromEntries(varimo.HotKeys.HotKeys);
  m.MP3on3Path = o.MP3on3Path;
  m.MP3on3Stop = o.MP3on3Stop;
  m.FontPitch.Set(o.FontPitch);
  m.Transparence = o.Transparence >= 0;
  if (m.Transparence) m.TransparenceValue.Set(o.Transparence);
  m.FontName = o.FontName;
  m.FontSize.Set(o.FontSize);
  m.Language = o.Language;
  m.FormatList = TFormatList::FromListForm(varimo.Settings.ListForm);
  m.Sample = m.FormatList.Sample();
  return m;
}

}  // namespace varimo
