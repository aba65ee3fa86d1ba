#include "win32_host_paint.h"

#include <cstdio>

namespace varimo {
namespace {

constexpr COLORREF kFrame = RGB(58, 58, 84);
constexpr COLORREF kTitle = RGB(92, 92, 140);
constexpr COLORREF kTitleText = RGB(230, 230, 240);
constexpr COLORREF kDisplay = RGB(0, 0, 0);
constexpr COLORREF kDisplayText = RGB(0, 226, 0);
constexpr COLORREF kCurrentText = RGB(255, 255, 255);
constexpr COLORREF kCurrentBar = RGB(0, 0, 198);
constexpr COLORREF kButton = RGB(150, 150, 166);
constexpr int kTitleBarHeight = 14;

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  RECT rect = {left, top, right, bottom};
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void Text(HDC dc, int left, int top, int right, int bottom, const std::string& text, COLORREF color,
          UINT format = DT_LEFT) {
  RECT rect = {left, top, right, bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void Frame(HDC dc, const RECT& client, const char* title) {
  Fill(dc, 0, 0, client.right, client.bottom, kFrame);
  Fill(dc, 0, 0, client.right, kTitleBarHeight, kTitle);
  Text(dc, 0, 0, client.right, kTitleBarHeight, title, kTitleText, DT_CENTER);
}

std::string MinutesSeconds(int32_t ms) {
  char text[32];
  std::snprintf(text, sizeof(text), "%d:%02d", ms / 60000, (ms / 1000) % 60);
  return text;
}

// The entry's file name without its folders, as the playlist shows it.
std::string DisplayName(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void PaintMainWindow(HDC dc, const RECT& client, const SimPlayer& player,
                     const std::string& skinName) {
  Frame(dc, client, "WINAMP (simulated)");
  Fill(dc, 10, 22, 100, 50, kDisplay);
  const char* state = player.State() == TPlayerState::kPlaying  ? "PLAY"
                      : player.State() == TPlayerState::kPaused ? "PAUSE"
                                                              : "STOP";
  Text(dc, 14, 22, 96, 36, state, kDisplayText);
  std::string time =
      player.State() == TPlayerState::kStopped ? "" : MinutesSeconds(player.PositionMS());
  Text(dc, 14, 36, 96, 50, time, kDisplayText, DT_RIGHT);

  Fill(dc, 108, 22, client.right - 8, 36, kDisplay);
  std::string title;
  if (!player.Entries().empty()) {
    const TPlayerEntry& entry = player.Entries()[player.Index()];
    title = std::to_string(player.Index() + 1) + ". " + DisplayName(entry.Path) + " (" +
            MinutesSeconds(entry.LengthMS) + ")";
  }
  Text(dc, 110, 22, client.right - 10, 36, title, kDisplayText);
  std::string flags = std::string(player.Repeat() ? "REPEAT " : "") +
                      (player.Shuffle() ? "SHUFFLE " : "") + "vol " +
                      std::to_string(player.Volume());
  Text(dc, 108, 38, client.right - 8, 50, flags, kTitleText);
  Text(dc, 108, 50, client.right - 8, 62, skinName.empty() ? "base skin" : "skin " + skinName,
       kTitleText);

  // Position bar.
  Fill(dc, 10, 68, client.right - 10, 74, kDisplay);
  int32_t length = player.CurrentLengthMS();
  if (length > 0 && player.State() != TPlayerState::kStopped) {
    int width = client.right - 20;
    int x = 10 + static_cast<int>(static_cast<int64_t>(width - 8) * player.PositionMS() / length);
    Fill(dc, x, 67, x + 8, 75, kButton);
  }
  // Transport buttons: previous, play, pause, stop, next.
  const char* labels[] = {"|<", ">", "||", "[]", ">|"};
  for (int i = 0; i < 5; ++i) {
    int left = 10 + i * 24;
    Fill(dc, left, 84, left + 22, 102, kButton);
    Text(dc, left, 84, left + 22, 102, labels[i], kDisplay, DT_CENTER);
  }
}

void PaintEqualizer(HDC dc, const RECT& client) {
  Frame(dc, client, "WINAMP EQUALIZER");
  for (int band = 0; band < 11; ++band) {
    int x = 14 + band * 23 + (band > 0 ? 10 : 0);
    Fill(dc, x, 30, x + 6, 100, kDisplay);
    // A gentle curve, so the window reads as an equalizer at a glance.
    int level = 60 + ((band * 37) % 30) - 15;
    Fill(dc, x - 2, level, x + 8, level + 5, kButton);
  }
}

void PaintPlaylistEditor(HDC dc, const RECT& client, const SimPlayer& player) {
  Frame(dc, client, "WINAMP PLAYLIST");
  Fill(dc, 8, 18, client.right - 8, client.bottom - 8, kDisplay);
  const int rowHeight = 13;
  int rows = (client.bottom - 28) / rowHeight;
  const std::vector<TPlayerEntry>& entries = player.Entries();
  int first = player.Index() >= rows ? player.Index() - rows + 1 : 0;
  for (int row = 0; row < rows && first + row < static_cast<int>(entries.size()); ++row) {
    int index = first + row;
    int top = 20 + row * rowHeight;
    bool current = index == player.Index();
    if (current) Fill(dc, 8, top, client.right - 8, top + rowHeight, kCurrentBar);
    std::string line = std::to_string(index + 1) + ". " + DisplayName(entries[index].Path);
    Text(dc, 10, top, client.right - 50, top + rowHeight, line,
         current ? kCurrentText : kDisplayText);
    Text(dc, client.right - 50, top, client.right - 10, top + rowHeight,
         MinutesSeconds(entries[index].LengthMS), current ? kCurrentText : kDisplayText, DT_RIGHT);
  }
}

void PaintBrowser(HDC dc, const RECT& client, const std::string& page) {
  Frame(dc, client, "WINAMP BROWSER");
  Fill(dc, 8, 18, client.right - 8, client.bottom - 8, RGB(255, 255, 255));
  RECT rect = {12, 22, client.right - 12, client.bottom - 12};
  SetTextColor(dc, RGB(0, 0, 0));
  std::string text = page.empty() ? "(no page)" : page;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace varimo
