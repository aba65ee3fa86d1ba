#include "hotkeys/hotkey_tables.h"

namespace varimo {

std::optional<size_t> HotKeyCommandPosition(int32_t code) {
  for (size_t i = 0; i < kHotKeyCommands.size(); ++i) {
    if (kHotKeyCommands[i].Code == code) return i;
  }
  return std::nullopt;
}

std::optional<size_t> HotKeyKeyPosition(int32_t virtualKey) {
  for (size_t i = 0; i < kHotKeyKeys.size(); ++i) {
    if (kHotKeyKeys[i].VirtualKey == virtualKey) return i;
  }
  return std::nullopt;
}

std::optional<size_t> HotKeyModifierPosition(int32_t mod) {
  if (mod < 1 || mod > static_cast<int32_t>(kHotKeyModifiers.size())) return std::nullopt;
  return static_cast<size_t>(mod - 1);
}

}  // namespace varimo
