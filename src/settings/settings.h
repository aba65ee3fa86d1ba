#pragma once
// The settings kept in the INI file: every key with its default and its range in one table,
// the start-up read of all of them, the options write and the shut-down write.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/hotkey_entry.h"
#include "common/vocabulary.h"
#include "settings/ini_file.h"
#include "settings/title_format.h"

namespace varimo {

// The default of a setting of the four parts below: the one its row in kSettingRows gives.
template <typename Part, typename Value>
Value SettingDefault(Value Part::*member);

// Every member starts at its row's default.
struct TWinampSettings {
  // 0 not minimized, 1 minimized, 2 minimized while docked; negated as read, until the host
  // confirms it.
  int32_t Minimized = SettingDefault(&TWinampSettings::Minimized);
};

struct TWindowSettings {
  int32_t Left = SettingDefault(&TWindowSettings::Left);
  int32_t Top = SettingDefault(&TWindowSettings::Top);
  int32_t Width = SettingDefault(&TWindowSettings::Width);
  // The normal window's height, kept while the window is small.
  int32_t Height = SettingDefault(&TWindowSettings::Height);
  // 1 normal, 2 small; negated while hidden.
  int32_t State = SettingDefault(&TWindowSettings::State);
  // The time display counts down.
  bool Remain = SettingDefault(&TWindowSettings::Remain);
};

struct TOptionSettings {
  bool VisibleChk = SettingDefault(&TOptionSettings::VisibleChk);
  bool PlayTime = SettingDefault(&TOptionSettings::PlayTime);
  int32_t TimerMS = SettingDefault(&TOptionSettings::TimerMS);
  int32_t BreakMS = SettingDefault(&TOptionSettings::BreakMS);
  bool Correct = SettingDefault(&TOptionSettings::Correct);
  int32_t CorrectMS = SettingDefault(&TOptionSettings::CorrectMS);
  char PrevKey = SettingDefault(&TOptionSettings::PrevKey);
  char NextKey = SettingDefault(&TOptionSettings::NextKey);
  char VisibleKey = SettingDefault(&TOptionSettings::VisibleKey);
  std::string MP3on3Path = SettingDefault(&TOptionSettings::MP3on3Path);
  bool MP3on3Stop = SettingDefault(&TOptionSettings::MP3on3Stop);
  std::string FontName = SettingDefault(&TOptionSettings::FontName);
  int32_t FontSize = SettingDefault(&TOptionSettings::FontSize);
  int32_t FontPitch = SettingDefault(&TOptionSettings::FontPitch);
  // Opacity in percent, -1 off.
  int32_t Transparence = SettingDefault(&TOptionSettings::Transparence);
  // kLanguageSystem, kLanguageJapanese or kLanguageEnglish (common/captions.h).
  int32_t Language = SettingDefault(&TOptionSettings::Language);
  // The exclusions, the current track and (with AlbumResume) the place in it are kept per
  // album file, in a store of their own beside the settings file.
  bool AlbumMemory = SettingDefault(&TOptionSettings::AlbumMemory);
  bool AlbumResume = SettingDefault(&TOptionSettings::AlbumResume);
};

struct TPlaySettings {
  int32_t No = SettingDefault(&TPlaySettings::No);  // CurrentIndex
  int32_t Mode = SettingDefault(&TPlaySettings::Mode);
  int32_t Seed = SettingDefault(&TPlaySettings::Seed);
};

// The hot keys as stored; registering them is the hot-key code's business.
struct THotKeySettings {
  bool Enabled = false;
  std::vector<THotKeyEntry> Entries;
};

struct TSettings {
  TWinampSettings Winamp;
  TWindowSettings Window;
  TOptionSettings Option;
  TPlaySettings Play;
  TListForm ListForm = DefaultListForm();
  THotKeySettings HotKey;
};

// What a read makes of a stored number outside its row's range.
enum class TOutOfRange {
  kClamp,     // the nearer end of the range
  kOffBelow,  // below it the default, which means off; above it the top of the range
  kDefault,   // the default
};

// When a write puts a row's key into the file.
enum class TStored {
  kAlways,
  // Only while the value differs from the default; at the default the key is removed, so a
  // setting added beyond the original keys leaves the file as it was until it is used.
  kUnlessDefault,
};

// The setting a row holds: a member of one of the four parts of TSettings.
using TSettingMember =
    std::variant<int32_t TWinampSettings::*, int32_t TWindowSettings::*, bool TWindowSettings::*,
                 bool TOptionSettings::*, int32_t TOptionSettings::*, char TOptionSettings::*,
                 std::string TOptionSettings::*, int32_t TPlaySettings::*>;

// One key of the Winamp, Window, Option and Play sections: where the file keeps it, the setting
// that holds it, its default and, for a number, the range a read brings it into, which is also
// the range the options dialog offers.
struct TSettingRow {
  const char* Section;
  const char* Key;
  TSettingMember Member;
  int32_t Default = 0;           // a flag's 0 or 1, a key's character, a number
  const char* DefaultText = "";  // a text's default
  int32_t Min = INT32_MIN;
  int32_t Max = INT32_MAX;
  TOutOfRange OutOfRange = TOutOfRange::kClamp;
  TStored Stored = TStored::kAlways;

  template <typename Part>
  constexpr TSettingRow(const char* section, const char* key, bool Part::*member, bool fallback,
                        TStored stored = TStored::kAlways)
      : Section(section),
        Key(key),
        Member(member),
        Default(fallback ? 1 : 0),
        Stored(stored) {}
  template <typename Part>
  constexpr TSettingRow(const char* section, const char* key, char Part::*member, char fallback)
      : Section(section), Key(key), Member(member), Default(fallback) {}
  template <typename Part>
  constexpr TSettingRow(const char* section, const char* key, std::string Part::*member,
                        const char* fallback)
      : Section(section), Key(key), Member(member), DefaultText(fallback) {}
  template <typename Part>
  constexpr TSettingRow(const char* section, const char* key, int32_t Part::*member,
                        int32_t fallback, int32_t min = INT32_MIN, int32_t max = INT32_MAX,
                        TOutOfRange outOfRange = TOutOfRange::kClamp,
                        TStored stored = TStored::kAlways)
      : Section(section),
        Key(key),
        Member(member),
        Default(fallback),
        Min(min),
        Max(max),
        OutOfRange(outOfRange),
        Stored(stored) {}
};

// Every key of the four sections, in the order the writes put them into the file.
constexpr size_t kSettingRowCount = 28;
extern const std::array<TSettingRow, kSettingRowCount> kSettingRows;

// The row of a setting of the four parts.
template <typename Part, typename Value>
const TSettingRow& SettingRowOf(Value Part::*member);

// The window and play state as the main window holds it when it is destroyed.
struct TShutDownState {
  int32_t Minimized = 0;  // negative: as read at start-up, never confirmed by the host
  bool Docked = false;
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;  // the current height
  int32_t SavedHeight = 0;
  int32_t State = 1;
  bool Remain = false;
  int32_t ScreenWidth = 0;
  int32_t ScreenHeight = 0;
  std::string Delete;  // "0" for each excluded track, "1" for the others, in list order
  int32_t CurrentIndex = 0;
  int32_t Mode = 0;
  int32_t Seed = 0;
};

// Counts of indexed entries beyond these are not read: a damaged count must not make start-up
// read for ever.
constexpr int32_t kMaxFormatItems = 256;
constexpr int32_t kMaxHotKeys = 256;

// relative in the folder of the host's program file (the separator included).
std::string BesideHostProgram(std::string_view hostProgramPath, std::string_view relative);
// "Plugins\gen_Varimo.ini" in the folder of the host's program file.
std::string SettingsFilePath(std::string_view hostProgramPath);
// "Plugins\gen_Varimo.albums" beside it: the albums' store.
std::string AlbumStoreFilePath(std::string_view hostProgramPath);

// Every key except Window/Delete, in one load of the file. Values no dialog could have stored
// are brought into their rows' ranges.
TSettings ReadSettings(IniFile& ini);
// The exclusion string, read by the first track-list build after start-up.
std::string ReadExclusions(IniFile& ini);
TListForm ReadListForm(IniFile& ini);

// The options sections (Option, ListForm, HotKey) in one replace of the file; false when it
// could not be written.
bool WriteApplySections(IniFile& ini, const TSettings& settings);
void WriteListForm(IniFile& ini, const TListForm& form);
// The Winamp, Window and Play sections in one replace of the file; false when it could not be
// written.
bool WriteShutDownSections(IniFile& ini, const TShutDownState& state);

// The value the shut-down stores for Minimized.
int32_t SavedMinimized(int32_t minimized, bool docked);
// A window left of the screen comes back at 0; one right of it at its right edge.
int32_t SavedLeft(int32_t left, int32_t width, int32_t screenWidth);
// A window above the screen comes back at 0; one below it at its bottom edge.
int32_t SavedTop(int32_t top, int32_t height, int32_t screenHeight);

}  // namespace varimo
