// Scenario expectations on what a window shows: how many of its pixels have a colour,
// whether a region equals a rectangle of a bitmap file, and its layered opacity.
#include <cstdio>
#include <map>

#include "win32_desktop.h"
#include "win32_runner.h"

namespace varimo {
namespace {

std::string Hex(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof(text), "%06X", static_cast<unsigned>(rgb));
  return text;
}

std::optional<int32_t> ParseTolerance(const std::vector<std::string>& args, size_t index) {
  std::optional<int64_t> tolerance = args.size() > index ? ParseInteger(args[index]) : int64_t{0};
  if (!tolerance || *tolerance < 0 || *tolerance > 255) return std::nullopt;
  return static_cast<int32_t>(*tolerance);
}

// The colour most pixels of the image have, to say what a region shows instead.
uint32_t CommonestColor(const TImage& image) {
  std::map<uint32_t, size_t> counts;
  for (uint32_t pixel : image.Pixels) ++counts[pixel];
  uint32_t commonest = 0;
  size_t most = 0;
  for (const auto& [color, count] : counts) {
    if (count > most) {
      commonest = color;
      most = count;
    }
  }
  return commonest;
}

// A BMP file of any depth as 0xRRGGBB pixels, through the system's own decoder.
bool LoadBitmapFile(const std::string& path, TImage& image) {
  HANDLE loaded =
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  if (loaded == nullptr) return false;
  HBITMAP bitmap = static_cast<HBITMAP>(loaded);
  BITMAP shape;
  bool ok = GetObjectA(bitmap, sizeof(shape), &shape) == sizeof(shape);
  if (ok) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shape.bmWidth;
    info.bmiHeader.biHeight = -shape.bmHeight;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    image.Width = shape.bmWidth;
    image.Height = shape.bmHeight;
    image.Pixels.assign(static_cast<size_t>(shape.bmWidth) * shape.bmHeight, 0);
    HDC screen = GetDC(nullptr);
    ok = GetDIBits(screen, bitmap, 0, static_cast<UINT>(shape.bmHeight), image.Pixels.data(), &info,
                   DIB_RGB_COLORS) == shape.bmHeight;
    ReleaseDC(nullptr, screen);
    for (uint32_t& pixel : image.Pixels) pixel &= 0xFFFFFF;
  }
  DeleteObject(bitmap);
  return ok;
}

}  // namespace

std::string ScenarioRunner::CmdExpectPixels(const Args& args) {
  POINT from;
  POINT to;
  std::string error = TargetPoint(args[0], args[1], from);
  if (error.empty()) error = TargetPoint(args[2], args[3], to);
  if (!error.empty()) return error;
  if (to.x <= from.x || to.y <= from.y) return "the rectangle is empty";
  std::optional<uint32_t> want = ParseRgb(args[4]);
  if (!want) return "colour must be RRGGBB";
  std::optional<int32_t> tolerance = ParseTolerance(args, 5);
  if (!tolerance) return "tolerance must be 0-255";
  const int64_t total = static_cast<int64_t>(to.x - from.x) * (to.y - from.y);
  std::optional<TCountRange> range = ParseCountRange(args[6], total);
  if (!range) return "count must be N, MIN..MAX, MIN.., none or all";
  RECT rect = {from.x, from.y, to.x, to.y};
  TImage image;
  bool captured = false;
  int64_t matching = 0;
  if (WaitFor([&] {
        captured = CaptureScreen(rect, image);
        if (!captured) return false;
        matching = 0;
        for (uint32_t pixel : image.Pixels) {
          if (ColorDistance(pixel, *want) <= *tolerance) ++matching;
        }
        return range->Contains(matching);
      })) {
    return std::string();
  }
  if (!captured) return "cannot read the screen";
  return std::to_string(matching) + " of " + std::to_string(total) + " pixels are " + args[4] +
         ", expected " + args[6] + " (the commonest colour there is " + Hex(CommonestColor(image)) +
         ")";
}

std::string ScenarioRunner::CmdExpectBitmap(const Args& args) {
  POINT at;
  std::string error = TargetPoint(args[0], args[1], at);
  if (!error.empty()) return error;
  std::optional<int64_t> side[4];
  for (int i = 0; i < 4; ++i) {
    side[i] = ParseInteger(args[3 + i]);
    if (!side[i]) return "the file's rectangle must be numbers";
  }
  std::optional<int32_t> tolerance = ParseTolerance(args, 7);
  if (!tolerance) return "tolerance must be 0-255";
  TImage file;
  if (!LoadBitmapFile(args[2], file)) return "cannot read the bitmap " + args[2];
  const int64_t left = *side[0], top = *side[1], right = *side[2], bottom = *side[3];
  if (left < 0 || top < 0 || right > file.Width || bottom > file.Height || right <= left ||
      bottom <= top) {
    return "the rectangle is not inside the " + std::to_string(file.Width) + " x " +
           std::to_string(file.Height) + " bitmap";
  }
  const int32_t width = static_cast<int32_t>(right - left);
  const int32_t height = static_cast<int32_t>(bottom - top);
  RECT rect = {at.x, at.y, at.x + width, at.y + height};
  TImage screen;
  bool captured = false;
  int64_t differing = 0;
  std::string first;
  if (WaitFor([&] {
        captured = CaptureScreen(rect, screen);
        if (!captured) return false;
        differing = 0;
        first.clear();
        for (int32_t y = 0; y < height; ++y) {
          for (int32_t x = 0; x < width; ++x) {
            uint32_t have = screen.At(x, y);
            uint32_t want = file.At(static_cast<int32_t>(left) + x, static_cast<int32_t>(top) + y);
            if (ColorDistance(have, want) <= *tolerance) continue;
            if (differing++ == 0) {
              first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " + Hex(have) +
                      ", the file's " + Hex(want);
            }
          }
        }
        return differing == 0;
      })) {
    return std::string();
  }
  if (!captured) return "cannot read the screen";
  return std::to_string(differing) + " of " + std::to_string(int64_t{width} * height) +
         " pixels differ; the first at " + first;
}

std::string ScenarioRunner::CmdExpectAlpha(const Args& args) {
  std::optional<int64_t> want;
  if (args[1] != "none") {
    want = ParseInteger(args[1]);
    if (!want || *want < 0 || *want > 255) return "alpha must be 0-255 or none";
  }
  std::optional<int64_t> have;
  bool exists = false;
  if (WaitFor([&] {
        HWND window = ResolveWindow(args[0]);
        exists = window != nullptr;
        have.reset();
        BYTE alpha = 0;
        DWORD flags = 0;
        if (exists && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) &&
            GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && (flags & LWA_ALPHA)) {
          have = alpha;
        }
        return exists && have == want;
      })) {
    return std::string();
  }
  if (!exists) return "there is no window '" + args[0] + "'";
  return have ? "the window's alpha is " + std::to_string(*have) : "the window sets no alpha";
}

}  // namespace varimo
