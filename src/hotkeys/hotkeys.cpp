#include "hotkeys/hotkeys.h"

#include <string>

namespace varimo {
namespace {

constexpr char kAtomPrefix[] = "Varimo Plugin for Winamp 2.x ";
constexpr char kCannotRegister[] = u8"ホットキー登録不可";

}  // namespace

std::string HotKeyAtomName(size_t position) {
  return kAtomPrefix + std::to_string(position);
}

THotKeyState LoadHotKeys(const THotKeySettings& stored) {
  THotKeyState state;
  state.HotKeyEnabled = stored.Enabled;
  for (const THotKeySetting& entry : stored.Entries) {
    state.HotKeys.push_back(THotKeyEntry{-1, entry.Cmd, entry.Mod, entry.Key});
  }
  return state;
}

THotKeySettings StoredHotKeys(const THotKeyState& state) {
  THotKeySettings stored;
  stored.Enabled = state.HotKeyEnabled;
  for (const THotKeyEntry& entry : state.HotKeys) {
    stored.Entries.push_back(THotKeySetting{entry.Cmd, entry.Mod, entry.Key});
  }
  return stored;
}

void RegisterHotKeys(THotKeyState& state, IHotKeySystem& system, IDialogs& dialogs) {
  for (size_t n = 0; n < state.HotKeys.size(); ++n) {
    THotKeyEntry& entry = state.HotKeys[n];
    const int32_t atom = system.AddGlobalAtom(HotKeyAtomName(n));
    entry.Id = atom != 0 ? atom : -1;
    if (atom != 0 && system.Register(entry.Id, entry.Mod, entry.Key)) continue;
    state.HotKeyEnabled = false;
    dialogs.ShowMessage(kCannotRegister);
  }
}

void UnregisterHotKeys(THotKeyState& state, IHotKeySystem& system) {
  for (const THotKeyEntry& entry : state.HotKeys) {
    if (entry.Id == -1) continue;
    system.Unregister(entry.Id);
    system.DeleteGlobalAtom(entry.Id);
  }
  state.HotKeys.clear();
}

void DeleteHotKeyAtoms(THotKeyState& state, IHotKeySystem& system) {
  for (const THotKeyEntry& entry : state.HotKeys) {
    if (entry.Id != -1) system.DeleteGlobalAtom(entry.Id);
  }
  state.HotKeys.clear();
}

}  // namespace varimo
