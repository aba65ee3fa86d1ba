#pragma once
// The vocabularies of the global hot keys: the 25 commands a hot key can run, the 70 keys
// it can be bound to and the seven modifier combinations, in the order the options dialog
// lists them. The commands' captions are in the caption table (common/captions.h); the keys'
// and the modifiers' labels are the keyboard's own. All are UTF-8, shown through the system's
// wide-character functions.

#include <array>
#include <cstdint>
#include <optional>

#include "common/captions.h"

namespace varimo {

// Command codes. Codes of 200 and above repeat while the key is held and are rate-limited;
// the captions of commands that act on the host start with "*".
enum HotKeyCommandCode : int32_t {
  kHotKeyActivate = 1,
  kHotKeyPopupMenu = 2,
  kHotKeyPlaySelection = 11,
  kHotKeyPlayStop = 12,
  kHotKeyPreviousTrack = 15,
  kHotKeyNextTrack = 16,
  kHotKeyShowHide = 99,
  kHotKeyHostActivate = 101,
  kHotKeyHostPopupMenu = 102,
  kHotKeyHostOpenFile = 105,
  kHotKeyHostAddFile = 106,
  kHotKeyHostPlay = 111,
  kHotKeyHostStop = 112,
  kHotKeyHostPause = 113,
  kHotKeyHostPreviousFile = 115,
  kHotKeyHostNextFile = 116,
  kHotKeyHostShuffle = 121,
  kHotKeyHostRepeat = 122,
  kHotKeyHostEqualizer = 125,
  kHotKeyHostPlaylist = 126,
  kHotKeyHostRewind = 201,
  kHotKeyHostFastForward = 202,
  kHotKeyHostVolumeUp = 205,
  kHotKeyHostVolumeDown = 206,
  kHotKeyHostExit = 999,
};
constexpr int32_t kFirstRepeatingHotKey = 200;

struct THotKeyCommand {
  int32_t Code;
  TCaption Caption;
};

// In the order the command list shows them.
inline constexpr std::array<THotKeyCommand, 25> kHotKeyCommands = {{
    {kHotKeyActivate, TCaption::kCommandActivate},
    {kHotKeyPopupMenu, TCaption::kCommandPopupMenu},
    {kHotKeyPlaySelection, TCaption::kCommandPlaySelection},
    {kHotKeyPlayStop, TCaption::kCommandPlayStop},
    {kHotKeyPreviousTrack, TCaption::kCommandPreviousTrack},
    {kHotKeyNextTrack, TCaption::kCommandNextTrack},
    {kHotKeyShowHide, TCaption::kCommandShowHide},
    {kHotKeyHostActivate, TCaption::kCommandHostActivate},
    {kHotKeyHostPopupMenu, TCaption::kCommandHostPopupMenu},
    {kHotKeyHostOpenFile, TCaption::kCommandHostOpenFile},
    {kHotKeyHostAddFile, TCaption::kCommandHostAddFile},
    {kHotKeyHostPlay, TCaption::kCommandHostPlay},
    {kHotKeyHostStop, TCaption::kCommandHostStop},
    {kHotKeyHostPause, TCaption::kCommandHostPause},
    {kHotKeyHostPreviousFile, TCaption::kCommandHostPreviousFile},
    {kHotKeyHostNextFile, TCaption::kCommandHostNextFile},
    {kHotKeyHostShuffle, TCaption::kCommandHostShuffle},
    {kHotKeyHostRepeat, TCaption::kCommandHostRepeat},
    {kHotKeyHostEqualizer, TCaption::kCommandHostEqualizer},
    {kHotKeyHostPlaylist, TCaption::kCommandHostPlaylist},
    {kHotKeyHostRewind, TCaption::kCommandHostRewind},
    {kHotKeyHostFastForward, TCaption::kCommandHostFastForward},
    {kHotKeyHostVolumeUp, TCaption::kCommandHostVolumeUp},
    {kHotKeyHostVolumeDown, TCaption::kCommandHostVolumeDown},
    {kHotKeyHostExit, TCaption::kCommandHostExit},
}};

struct THotKeyKey {
  int32_t VirtualKey;
  const char* Caption;
  // Set where the key's name differs by language; its Japanese text is Caption.
  TCaption Named = TCaption::kNone;
};

// The key's name in a language.
inline const char* KeyCaption(const THotKeyKey& key, TLanguage language) {
  return key.Named == TCaption::kNone ? key.Caption : Caption(key.Named, language);
}

// Punctuation as the Japanese layout labels its keys; "Up" and "Down" are page up and page
// down (PgUp and PgDn in English), the arrows are the four arrow captions.
inline constexpr std::array<THotKeyKey, 70> kHotKeyKeys = {{
    {48, "0"},   {49, "1"},    {50, "2"},    {51, "3"},     {52, "4"},    {53, "5"},
    {54, "6"},   {55, "7"},    {56, "8"},    {57, "9"},     {65, "A"},    {66, "B"},
    {67, "C"},   {68, "D"},    {69, "E"},    {70, "F"},     {71, "G"},    {72, "H"},
    {73, "I"},   {74, "J"},    {75, "K"},    {76, "L"},     {77, "M"},    {78, "N"},
    {79, "O"},   {80, "P"},    {81, "Q"},    {82, "R"},     {83, "S"},    {84, "T"},
    {85, "U"},   {86, "V"},    {87, "W"},    {88, "X"},     {89, "Y"},    {90, "Z"},
    {189, "-"},  {222, "^"},   {220, "\\"},  {192, "@"},    {219, "["},   {187, ";"},
    {186, ":"},  {221, "]"},   {188, ","},   {190, "."},    {191, "/"},   {112, "F1"},
    {113, "F2"}, {114, "F3"},  {115, "F4"},  {116, "F5"},   {117, "F6"},  {118, "F7"},
    {119, "F8"}, {120, "F9"},  {121, "F10"}, {122, "F11"},  {123, "F12"}, {37, u8"←"},
    {39, u8"→"}, {38, u8"↑"},  {40, u8"↓"},  {13, "Enter"}, {27, "Esc"},  {32, "Space"},
    {33, "Up", TCaption::kKeyPageUp},  {34, "Down", TCaption::kKeyPageDown}, {36, "Home"}, {35, "End"},
}};

// The system's hot-key modifier bits.
enum HotKeyModifier : int32_t {
  kModAlt = 1,
  kModCtrl = 2,
  kModShift = 4,
};

// Mod is the position in this list plus one; a hot key always has a modifier.
inline constexpr std::array<const char*, 7> kHotKeyModifiers = {
    {"Alt", "Ctrl", "Ctrl+Alt", "Shift", "Shift+Alt", "Ctrl+Shift", "Ctrl+Shift+Alt"}};

// Positions in the three lists; none for a value no list holds (a hand-edited settings file).
std::optional<size_t> HotKeyCommandPosition(int32_t code);
std::optional<size_t> HotKeyKeyPosition(int32_t virtualKey);
std::optional<size_t> HotKeyModifierPosition(int32_t mod);

}  // namespace varimo
