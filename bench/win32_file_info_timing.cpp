// How long the file information dialog takes to open on a member: the reading with its frame
// walk, which runs the thread's pending messages as the plug-in does (PacedPump), and the
// dialog until its modal loop first runs, when the user can act on it. The median of seven
// openings after a first one (reported apart: it also looks the fonts up), timed with the
// performance counter.
// Usage: win32_file_info_timing ALBUM START END
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "dialogs/file_info_layout.h"
#include "dialogs/win32_file_info_dialog.h"
#include "sources/file_info.h"

namespace {

LARGE_INTEGER shownAt;

class TickClock : public varimo::IClock {
 public:
  uint32_t TickCount() override { return GetTickCount(); }
  void Sleep(uint32_t ms) override { ::Sleep(ms); }
};

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The first timer message the dialog's own loop dispatches: it is open and answering.
void CALLBACK Opened(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  QueryPerformanceCounter(&shownAt);
  HWND dialog = GetActiveWindow();
  if (dialog != nullptr) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

double Ms(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s ALBUM START END\n", argv[0]);
    return 2;
  }
  varimo::TTrackItem track;
  track.FileName = "Album\\member.mp3";
  track.StartPos = std::atoi(argv[2]);
  track.EndPos = std::atoi(argv[3]);
  std::unique_ptr<varimo::IFiles> files = varimo::MakeSystemFiles();
  // The host's and the plug-in's windows are shown and the list drawn before any dialog
  // opens, which starts the system's windows and fonts; a process that had shown nothing
  // yet would pay that here.
  HWND window = CreateWindowExA(0, "STATIC", "Winamp Varimo", WS_POPUP | WS_VISIBLE, 100, 100, 275,
                                116, nullptr, nullptr, nullptr, nullptr);
  UpdateWindow(window);
  PumpMessages();
  HDC screen = GetDC(nullptr);
  HFONT listFont = CreateFontA(-10, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0,
                               0, 0, "MS UI Gothic");
  HGDIOBJ old = SelectObject(screen, listFont);
  SIZE digit;
  GetTextExtentPoint32A(screen, "0", 1, &digit);
  SelectObject(screen, old);
  DeleteObject(listFont);
  ReleaseDC(nullptr, screen);
  TickClock clock;
  std::vector<double> reading, opening;
  size_t lines = 0;
  double first = 0, firstRead = 0;
  for (int i = 0; i < 8; ++i) {
    LARGE_INTEGER start, read;
    QueryPerformanceCounter(&start);
    const varimo::TFileInfoData info = varimo::ReadFileInfo(
        *files, argv[1], varimo::kAlbumZip, &track, varimo::PacedPump(clock, PumpMessages));
    QueryPerformanceCounter(&read);
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Opened);
    varimo::ShowFileInfoDialog(nullptr, info, {100, 100, 275, 116}, {1280, 1024});
    lines = info.MpegLines.size();
    if (i == 0) {
      first = Ms(start, shownAt);
      firstRead = Ms(start, read);
      continue;
    }
    reading.push_back(Ms(start, read));
    opening.push_back(Ms(start, shownAt));
  }
  DestroyWindow(window);
  std::sort(reading.begin(), reading.end());
  std::sort(opening.begin(), opening.end());
  std::printf(
      "%zu MPEG lines; reading with the frame walk %.1f ms, open and answering %.1f ms "
      "(the first opening: %.1f ms, its reading %.1f ms)\n",
      lines, reading[reading.size() / 2], opening[opening.size() / 2], first, firstRead);
  return lines == 10 ? 0 : 1;
}
