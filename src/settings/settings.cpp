#include "settings/settings.h"

#include <algorithm>

#include "common/text.h"
#include "common/vocabulary.h"

namespace varimo {
namespace {

constexpr char kWinamp[] = "Winamp";
constexpr char kWindow[] = "Window";
constexpr char kOption[] = "Option";
constexpr char kPlay[] = "Play";
constexpr char kListForm[] = "ListForm";
constexpr char kHotKey[] = "HotKey";

std::string Indexed(const char* stem, int32_t n) {
  return stem + std::to_string(n);
}

int32_t ClampTo32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

TOptionSettings ReadOptions(IniFile& ini) {
  const TOptionSettings defaults;
  TOptionSettings o;
  o.VisibleChk = ini.ReadBool(kOption, "VisibleChk", defaults.VisibleChk);
  o.PlayTime = ini.ReadBool(kOption, "PlayTime", defaults.PlayTime);
  // The dialog offers only these ranges; anything else is a damaged or hand-edited file, and a
  // timer of 0, a font of size 0 or a correction in the millions would break the window.
  o.TimerMS = std::clamp(ini.ReadInteger(kOption, "TimerMS", defaults.TimerMS), 100, 1000);
  o.BreakMS = std::clamp(ini.ReadInteger(kOption, "BreakMS", defaults.BreakMS), 100, 1500);
  // A lead time shorter than a tick lets most track ends pass between two ticks; the options
  // dialog never stores one.
  o.BreakMS = std::max(o.BreakMS, o.TimerMS);
  o.Correct = ini.ReadBool(kOption, "Correct", defaults.Correct);
  o.CorrectMS = std::clamp(ini.ReadInteger(kOption, "CorrectMS", defaults.CorrectMS), -1000, 1000);
  o.PrevKey = ini.ReadChar(kOption, "PrevKey", defaults.PrevKey);
  o.NextKey = ini.ReadChar(kOption, "NextKey", defaults.NextKey);
  o.VisibleKey = ini.ReadChar(kOption, "VisibleKey", defaults.VisibleKey);
  o.MP3on3Path = ini.ReadString(kOption, "MP3on3Path", defaults.MP3on3Path);
  o.MP3on3Stop = ini.ReadBool(kOption, "MP3on3Stop", defaults.MP3on3Stop);
  o.FontName = ini.ReadString(kOption, "FontName", defaults.FontName);
  o.FontSize = std::clamp(ini.ReadInteger(kOption, "FontSize", defaults.FontSize), 6, 50);
  o.FontPitch = std::clamp(ini.ReadInteger(kOption, "FontPitch", defaults.FontPitch), 0, 9);
  int32_t opacity = ini.ReadInteger(kOption, "Transparence", defaults.Transparence);
  o.Transparence = opacity < 0 ? -1 : std::min(opacity, 100);
  return o;
}

THotKeySettings ReadHotKeys(IniFile& ini) {
  THotKeySettings hotKeys;
  hotKeys.Enabled = ini.ReadBool(kHotKey, "Enabled", false);
  int32_t count = std::min(ini.ReadInteger(kHotKey, "Count", 0), kMaxHotKeys);
  for (int32_t n = 0; n < count; ++n) {
    THotKeySetting entry;
    entry.Cmd = ini.ReadInteger(kHotKey, Indexed("Cmd", n), 0);
    entry.Mod = ini.ReadInteger(kHotKey, Indexed("Mod", n), 0);
    entry.Key = ini.ReadInteger(kHotKey, Indexed("Key", n), 0);
    hotKeys.Entries.push_back(entry);
  }
  return hotKeys;
}

void WriteHotKeys(IniFile& ini, const THotKeySettings& hotKeys) {
  ini.EraseSection(kHotKey);
  ini.WriteBool(kHotKey, "Enabled", hotKeys.Enabled);
  ini.WriteInteger(kHotKey, "Count", static_cast<int32_t>(hotKeys.Entries.size()));
  for (size_t i = 0; i < hotKeys.Entries.size(); ++i) {
    const int32_t n = static_cast<int32_t>(i);
    ini.WriteInteger(kHotKey, Indexed("Mod", n), hotKeys.Entries[i].Mod);
    ini.WriteInteger(kHotKey, Indexed("Key", n), hotKeys.Entries[i].Key);
    ini.WriteInteger(kHotKey, Indexed("Cmd", n), hotKeys.Entries[i].Cmd);
  }
}

}  // namespace

std::string BesideHostProgram(std::string_view hostProgramPath, std::string_view relative) {
  size_t separator = FindLastSeparator(hostProgramPath, "\\/:");
  std::string folder(separator == std::string_view::npos
                         ? std::string_view()
                         : hostProgramPath.substr(0, separator + 1));
  return folder + std::string(relative);
}

std::string SettingsFilePath(std::string_view hostProgramPath) {
  return BesideHostProgram(hostProgramPath, "Plugins\\gen_Varimo.ini");
}

TListForm ReadListForm(IniFile& ini) {
  int32_t count = ini.ReadInteger(kListForm, "Count", 0);
  if (count == 0) return DefaultListForm();
  TListForm form;
  bool grouped = false;
  for (int32_t n = 1; n <= std::min(count, kMaxFormatItems); ++n) {
    int32_t omit = ini.ReadInteger(kListForm, Indexed("Omit", n), 0);
    int32_t kind = ini.ReadInteger(kListForm, Indexed("Item", n), 0);
    TFormatItem item;
    item.Code = ClampTo32(int64_t{omit} * 10 + kind);
    // Read for every kind: a text put by hand on another kind shows inside its group.
    item.Text = ini.ReadWrapped(kListForm, Indexed("Text", n));
    grouped = grouped || omit == 1;
    form.Items.push_back(std::move(item));
  }
  // The stored number is the whole header as it stood at the last Apply, so adding the group
  // flag again can give 21. Only its two flags mean anything; keep the header in the form
  // Apply writes, so it reads back the same.
  int64_t header = (grouped ? 10 : 0) + int64_t{ini.ReadInteger(kListForm, "Number", 1)};
  form.FormatHeader = (header > 9 ? kFormatGroupCode : 0) + (header % 10 == 1 ? 1 : 0);
  return form;
}

void WriteListForm(IniFile& ini, const TListForm& form) {
  ini.EraseSection(kListForm);
  ini.WriteInteger(kListForm, "Count", static_cast<int32_t>(form.Items.size()));
  ini.WriteInteger(kListForm, "Number", form.FormatHeader);
  for (size_t i = 0; i < form.Items.size(); ++i) {
    const int32_t n = static_cast<int32_t>(i + 1);
    const TFormatItem& item = form.Items[i];
    ini.WriteInteger(kListForm, Indexed("Omit", n), item.Code / 10);
    ini.WriteInteger(kListForm, Indexed("Item", n), item.Code % 10);
    ini.WriteString(kListForm, Indexed("Text", n),
                    item.Code % 10 == kFormatText ? WrapText(item.Text) : std::string());
  }
}

TSettings ReadSettings(IniFile& ini) {
  const TSettings defaults;
  TSettings s;
  ini.BeginBatch();
  // Only 0, 1 and 2 are ever stored; the sign marks the value as not yet confirmed.
  int32_t minimized = ini.ReadInteger(kWinamp, "Minimized", 0);
  s.Winamp.Minimized = minimized >= 0 && minimized <= 2 ? -minimized : 0;

  s.Window.Left = ini.ReadInteger(kWindow, "Left", defaults.Window.Left);
  s.Window.Top = ini.ReadInteger(kWindow, "Top", defaults.Window.Top);
  s.Window.Width = ini.ReadInteger(kWindow, "Width", defaults.Window.Width);
  s.Window.Height = ini.ReadInteger(kWindow, "Height", defaults.Window.Height);
  // Any other State would leave the window neither shown nor sized for good.
  s.Window.State = ini.ReadInteger(kWindow, "State", defaults.Window.State);
  if (!IsNormalState(s.Window.State) && !IsSmallState(s.Window.State)) {
    s.Window.State = kStateNormal;
  }
  s.Window.Remain = ini.ReadBool(kWindow, "Remain", defaults.Window.Remain);

  s.Option = ReadOptions(ini);

  // A negative index would pass the album build's "below the track count" test.
  s.Play.No = std::max(ini.ReadInteger(kPlay, "No", 0), 0);
  s.Play.Mode = ini.ReadInteger(kPlay, "Mode", 0);
  if (s.Play.Mode == kModeShuffleAllPending) s.Play.Mode = kModeShuffleAll;
  s.Play.Seed = ini.ReadInteger(kPlay, "Seed", 0);

  s.ListForm = ReadListForm(ini);
  s.HotKey = ReadHotKeys(ini);
  ini.Commit();
  return s;
}

std::string ReadExclusions(IniFile& ini) {
  return ini.ReadString(kWindow, "Delete", "");
}

bool WriteApplySections(IniFile& ini, const TSettings& settings) {
  const TOptionSettings& o = settings.Option;
  ini.BeginBatch();
  ini.WriteBool(kOption, "VisibleChk", o.VisibleChk);
  ini.WriteBool(kOption, "PlayTime", o.PlayTime);
  ini.WriteInteger(kOption, "TimerMS", o.TimerMS);
  ini.WriteInteger(kOption, "BreakMS", o.BreakMS);
  ini.WriteBool(kOption, "Correct", o.Correct);
  ini.WriteInteger(kOption, "CorrectMS", o.CorrectMS);
  ini.WriteChar(kOption, "PrevKey", o.PrevKey);
  ini.WriteChar(kOption, "NextKey", o.NextKey);
  ini.WriteChar(kOption, "VisibleKey", o.VisibleKey);
  ini.WriteString(kOption, "MP3on3Path", o.MP3on3Path);
  ini.WriteBool(kOption, "MP3on3Stop", o.MP3on3Stop);
  ini.WriteString(kOption, "FontName", o.FontName);
  ini.WriteInteger(kOption, "FontSize", o.FontSize);
  ini.WriteInteger(kOption, "FontPitch", o.FontPitch);
  ini.WriteInteger(kOption, "Transparence", o.Transparence);
  WriteListForm(ini, settings.ListForm);
  WriteHotKeys(ini, settings.HotKey);
  return ini.Commit();
}

bool WriteShutDownSections(IniFile& ini, const TShutDownState& state) {
  ini.BeginBatch();
  ini.WriteInteger(kWinamp, "Minimized", SavedMinimized(state.Minimized, state.Docked));
  ini.WriteInteger(kWindow, "Left", SavedLeft(state.Left, state.Width, state.ScreenWidth));
  ini.WriteInteger(kWindow, "Top", SavedTop(state.Top, state.Height, state.ScreenHeight));
  ini.WriteInteger(kWindow, "Width", state.Width);
  // A hidden normal window keeps the size it was given; only the small one stands in for the
  // normal height it will go back to.
  ini.WriteInteger(kWindow, "Height",
                   IsNormalState(state.State) ? state.Height : state.SavedHeight);
  ini.WriteInteger(kWindow, "State", state.State);
  ini.WriteBool(kWindow, "Remain", state.Remain);
  ini.WriteString(kWindow, "Delete", state.Delete);
  ini.WriteInteger(kPlay, "No", state.CurrentIndex);
  ini.WriteInteger(kPlay, "Mode", state.Mode);
  ini.WriteInteger(kPlay, "Seed", state.Seed);
  return ini.Commit();
}

int32_t SavedMinimized(int32_t minimized, bool docked) {
  if (minimized < 0) return -minimized;
  return docked ? minimized * 2 : minimized;
}

int32_t SavedLeft(int32_t left, int32_t width, int32_t screenWidth) {
  if (left <= -width) return 0;
  return left >= screenWidth ? screenWidth - width : left;
}

int32_t SavedTop(int32_t top, int32_t height, int32_t screenHeight) {
  if (top < -29) return 0;
  return top >= screenHeight ? screenHeight - height : top;
}

}  // namespace varimo
