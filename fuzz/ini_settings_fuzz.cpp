// Arbitrary bytes as the settings file: every setting is read from them within its range, a
// write followed by a read gives back what was written, and a write touches only its own
// lines.
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "settings/memory_replacer.h"
#include "settings/settings.h"

using namespace varimo;

namespace {

const char kPath[] = "gen_Varimo.ini";

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckRanges(const TSettings& s) {
  Check(s.Winamp.Minimized >= -2 && s.Winamp.Minimized <= 0);
  const TOptionSettings& o = s.Option;
  Check(o.TimerMS >= 100 && o.TimerMS <= 1000 && o.BreakMS >= 100 && o.BreakMS <= 1500);
  Check(o.CorrectMS >= -1000 && o.CorrectMS <= 1000);
  Check(o.FontSize >= 6 && o.FontSize <= 50 && o.FontPitch >= 0 && o.FontPitch <= 9);
  Check(o.Transparence >= -1 && o.Transparence <= 100);
  Check(o.PrevKey != '\0' && o.NextKey != '\0' && o.VisibleKey != '\0');
  Check(o.FontName.size() <= kMaxIniValueBytes && o.MP3on3Path.size() <= kMaxIniValueBytes);
  Check(s.Play.No >= 0 && s.Play.Mode != 5);
  Check(s.ListForm.Items.size() <= static_cast<size_t>(kMaxFormatItems));
  Check(s.HotKey.Entries.size() <= static_cast<size_t>(kMaxHotKeys));
  const int32_t header = s.ListForm.FormatHeader;
  Check(header == 0 || header == 1 || header == 10 || header == 11);
}

bool SameForm(const TListForm& a, const TListForm& b) {
  if (a.FormatHeader != b.FormatHeader || a.Items.size() != b.Items.size()) return false;
  for (size_t i = 0; i < a.Items.size(); ++i) {
    if (a.Items[i].Code != b.Items[i].Code || a.Items[i].Text != b.Items[i].Text) return false;
  }
  return true;
}

// The format as Apply stores it: a text belongs to text items only, and no items at all is
// the count that means the default format.
TListForm AsStored(TListForm form) {
  if (form.Items.empty()) return DefaultListForm();
  for (TFormatItem& item : form.Items) {
    if (item.Code % 10 != kFormatText) item.Text.clear();
  }
  return form;
}

void CheckWritesReadBack(MemoryFiles& files, IniFile& ini, const TSettings& s,
                         const std::string& exclusions) {
  const std::vector<uint8_t> before = *files.Find(kPath);
  TShutDownState state;
  state.Minimized = s.Winamp.Minimized;
  state.Left = s.Window.Left;
  state.Top = s.Window.Top;
  state.Width = s.Window.Width;
  state.Height = state.SavedHeight = s.Window.Height;
  state.State = s.Window.State;
  state.Remain = s.Window.Remain;
  state.ScreenWidth = 1024;
  state.ScreenHeight = 768;
  state.Delete = exclusions;
  state.CurrentIndex = s.Play.No;
  state.Mode = s.Play.Mode;
  state.Seed = s.Play.Seed;
  const bool applied = WriteApplySections(ini, s);
  const bool saved = WriteShutDownSections(ini, state);
  if (before.size() > static_cast<size_t>(kMaxIniFileBytes)) {
    // A file too large to read is never overwritten.
    Check(!applied && !saved && *files.Find(kPath) == before);
    return;
  }
  Check(applied && saved);

  const TSettings r = ReadSettings(ini);
  Check(r.Winamp.Minimized == s.Winamp.Minimized);
  Check(r.Window.Left == SavedLeft(s.Window.Left, s.Window.Width, 1024));
  Check(r.Window.Top == SavedTop(s.Window.Top, s.Window.Height, 768));
  Check(r.Window.Width == s.Window.Width && r.Window.Height == s.Window.Height);
  Check(r.Window.State == s.Window.State && r.Window.Remain == s.Window.Remain);
  const TOptionSettings& a = r.Option;
  const TOptionSettings& b = s.Option;
  Check(a.VisibleChk == b.VisibleChk && a.PlayTime == b.PlayTime && a.TimerMS == b.TimerMS);
  Check(a.BreakMS == b.BreakMS && a.Correct == b.Correct && a.CorrectMS == b.CorrectMS);
  Check(a.PrevKey == b.PrevKey && a.NextKey == b.NextKey && a.VisibleKey == b.VisibleKey);
  Check(a.MP3on3Path == b.MP3on3Path && a.MP3on3Stop == b.MP3on3Stop);
  Check(a.FontName == b.FontName && a.FontSize == b.FontSize && a.FontPitch == b.FontPitch);
  Check(a.Transparence == b.Transparence);
  Check(r.Play.No == s.Play.No && r.Play.Mode == s.Play.Mode && r.Play.Seed == s.Play.Seed);
  Check(SameForm(r.ListForm, AsStored(s.ListForm)));
  Check(r.HotKey.Enabled == s.HotKey.Enabled);
  Check(r.HotKey.Entries.size() == s.HotKey.Entries.size());
  for (size_t i = 0; i < r.HotKey.Entries.size(); ++i) {
    const THotKeyEntry& x = r.HotKey.Entries[i];
    const THotKeyEntry& y = s.HotKey.Entries[i];
    Check(x.Cmd == y.Cmd && x.Mod == y.Mod && x.Key == y.Key);
  }
  Check(ReadExclusions(ini) == exclusions);
}

// One key written into the bytes as they are: the key reads back as written, without the
// line breaks a line cannot hold and the blanks a read drops, and no other key changes.
void CheckOneWrite(std::string_view bytes) {
  const char* probes[][2] = {{"Window", "Left"}, {"Option", "FontName"}, {"ListForm", "Text1"},
                             {"Play", "Mode"},   {"HotKey", "Cmd0"},     {"Text", "Normal"}};
  const size_t split = bytes.size() / 3;
  const std::string_view value = bytes.substr(0, split);
  TIniText text{std::string(bytes.substr(split))};
  for (const auto& target : probes) {
    std::vector<std::optional<std::string>> others;
    for (const auto& probe : probes) {
      std::optional<std::string_view> found = text.Find(probe[0], probe[1]);
      others.push_back(found ? std::optional<std::string>(std::string(*found)) : std::nullopt);
    }
    text.Set(target[0], target[1], value);
    std::string expected;
    for (char c : value) {
      if (c != '\r' && c != '\n') expected += c;
    }
    const std::optional<std::string_view> written = text.Find(target[0], target[1]);
    Check(written && *written == TrimBlanks(expected));
    for (size_t i = 0; i < std::size(probes); ++i) {
      if (probes[i] == target) continue;
      std::optional<std::string_view> found = text.Find(probes[i][0], probes[i][1]);
      Check(found.has_value() == others[i].has_value() && (!found || *found == *others[i]));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryFiles files;
  MemoryReplacer replacer(files);
  files.Add(kPath, std::vector<uint8_t>(data, data + size));
  IniFile ini(files, replacer, kPath);
  const TSettings settings = ReadSettings(ini);
  CheckRanges(settings);
  const std::string exclusions = ReadExclusions(ini);
  Check(exclusions.size() <= kMaxIniValueBytes);
  CheckWritesReadBack(files, ini, settings, exclusions);
  CheckOneWrite(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
