#pragma once
// The settings kept in the INI file: every key with its default, the start-up read of all of
// them, the options write and the shut-down write.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/vocabulary.h"
#include "settings/ini_file.h"
#include "settings/title_format.h"

namespace varimo {

struct TWinampSettings {
  // 0 not minimized, 1 minimized, 2 minimized while docked; negated as read, until the host
  // confirms it.
  int32_t Minimized = 0;
};

struct TWindowSettings {
  int32_t Left = 100;
  int32_t Top = 100;
  int32_t Width = kDesignWidth;
  int32_t Height = kNormalMinHeight;  // the normal window's height, kept while the window is small
  int32_t State = 1;                  // 1 normal, 2 small; negated while hidden
  bool Remain = false;                // the time display counts down
};

struct TOptionSettings {
  bool VisibleChk = false;
  bool PlayTime = false;
  int32_t TimerMS = 200;
  int32_t BreakMS = 250;
  bool Correct = true;
  int32_t CorrectMS = 300;
  char PrevKey = ',';
  char NextKey = '.';
  char VisibleKey = 'A';
  std::string MP3on3Path;
  bool MP3on3Stop = true;
  std::string FontName = "MS UI Gothic";
  int32_t FontSize = 10;
  int32_t FontPitch = 0;
  int32_t Transparence = -1;  // opacity in percent, -1 off
};

struct TPlaySettings {
  int32_t No = 0;  // CurrentIndex
  int32_t Mode = 0;
  int32_t Seed = 0;
};

// One hot key as stored; registering it is the hot-key code's business.
struct THotKeySetting {
  int32_t Cmd = 0;
  int32_t Mod = 0;
  int32_t Key = 0;
};

struct THotKeySettings {
  bool Enabled = false;
  std::vector<THotKeySetting> Entries;
};

struct TSettings {
  TWinampSettings Winamp;
  TWindowSettings Window;
  TOptionSettings Option;
  TPlaySettings Play;
  TListForm ListForm = DefaultListForm();
  THotKeySettings HotKey;
};

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

// Every key except Window/Delete, in one load of the file. Values no dialog could have stored
// are brought into the dialog's ranges.
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
