#include "dialogs/win32_options_pages.h"

#include <windows.h>
// The common dialogs header builds on the one above.
#include <commdlg.h>

#include <initializer_list>
#include <utility>

#include "common/captions.h"
#include "dialogs/options_layout.h"
#include "dialogs/options_model.h"

namespace varimo {
namespace {


// Text drawn once per (offset, colour), the last on top.
void DrawLayered(HDC dc, HFONT font, const std::wstring& text, int width, int top,
                 std::initializer_list<std::pair<int, COLORREF>> layers) {
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  const int left = (width - size.cx) / 2;
  for (const auto& [offset, color] : layers) {
    SetTextColor(dc, color);
    TextOutW(dc, left + offset, top + offset, text.c_str(), static_cast<int>(text.size()));
  }
  SelectObject(dc, old);
}

}  // namespace

std::optional<std::string> BrowseProgram(TWindowHandle owner, const std::string& current) {
  const TProgramBrowseStart start = ProgramBrowseStart(current);
  const std::wstring folder = WideFromAnsi(start.Folder);
  std::wstring file = WideFromAnsi(start.FileName);
  file.resize(32768, L'\0');
  std::wstring filter = WideFromUtf8(Caption(TCaption::kMP3on3Filter));
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.push_back(L'\0');
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = static_cast<HWND>(owner);
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // The host's current folder is the host's.
  dialog.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  file.resize(wcslen(file.c_str()));
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return AnsiPathFromWide(file);
}

void PaintVersionPage(TWindowHandle page, TDialogFonts& fonts) {
  HWND hwnd = static_cast<HWND>(page);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT client;
  GetClientRect(hwnd, &client);
  SetBkMode(dc, TRANSPARENT);
  const COLORREF white = RGB(255, 255, 255);
  DrawLayered(dc, static_cast<HFONT>(fonts.Get(27, true, false, L"Times New Roman")),
              WideFromUtf8(Caption(TCaption::kVersionTitle)), client.right, 18,
              {{-1, white}, {1, RGB(0, 0, 0)}, {0, RGB(255, 255, 0)}});
  DrawLayered(dc, static_cast<HFONT>(fonts.Get(16, false, false, L"Times New Roman")),
              WideFromUtf8(Caption(TCaption::kVersionPlugin)), client.right, 60, {{1, white}, {0, RGB(0, 0, 255)}});
  DrawLayered(dc, static_cast<HFONT>(fonts.Get(12)), WideFromUtf8(Caption(TCaption::kVersionLine)), client.right, 92,
              {{1, white}, {0, RGB(0, 0, 128)}});
  EndPaint(hwnd, &paint);
}

}  // namespace varimo
