#include "win32_gdi_count.h"

#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace varimo {
namespace {

// Wine keeps its GDI handle table in memory shared with the process and names it in the
// process environment block, as Windows does: 65536 entries of 24 bytes (a 64-bit object
// pointer, the owner, the unique word, the object type, flags, a 64-bit user pointer). An
// entry with a type is a live object.
constexpr size_t kPebGdiTableOffset = sizeof(void*) == 4 ? 0x94 : 0xF8;
constexpr size_t kWineEntrySize = 24;
constexpr size_t kWineTypeOffset = 14;
constexpr size_t kWineEntries = 0x10000;

// Wine's USER handles are 16-bit: an index from 0x20 in steps of 2, with the generation in
// the high word. A handle of generation 0 names whatever object holds the index now, and
// a menu, icon or cursor is looked up in the process's own table, without the server.
constexpr UINT_PTR kFirstUserHandle = 0x20;
constexpr UINT_PTR kUserHandleEnd = 0x10000;

using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
using CursorFrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);

bool RunsUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

const uint8_t* ProcessEnvironmentBlock() {
  auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic = {};
  if (query == nullptr ||
      query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0) {
    return nullptr;
  }
  return reinterpret_cast<const uint8_t*>(basic.PebBaseAddress);
}

// Wine's object kinds in the table's type byte (its base type: pens count with brushes);
// other values are shown by number.
struct TGdiKind {
  uint8_t Type;
  const char* Name;
};
constexpr TGdiKind kGdiKinds[] = {{0x01, "DC"},       {0x04, "region"},      {0x05, "surface"},
                                  {0x06, "metafile"}, {0x08, "palette"},     {0x09, "bitmap"},
                                  {0x0a, "font"},     {0x10, "brush or pen"}};

std::string DescribeKinds(const size_t (&counts)[256]) {
  std::string text;
  for (size_t type = 1; type < 256; ++type) {
    if (counts[type] == 0) continue;
    std::string name;
    for (const TGdiKind& kind : kGdiKinds) {
      if (kind.Type == type) name = kind.Name;
    }
    if (name.empty()) {
      char code[16];
      std::snprintf(code, sizeof(code), "type %02X", static_cast<unsigned>(type));
      name = code;
    }
    text += (text.empty() ? "" : ", ") + name + " " + std::to_string(counts[type]);
  }
  return text;
}

bool CountWineGdiObjects(DWORD& count, std::string& kinds) {
  const uint8_t* peb = ProcessEnvironmentBlock();
  if (peb == nullptr) return false;
  const uint8_t* table = *reinterpret_cast<const uint8_t* const*>(peb + kPebGdiTableOffset);
  if (table == nullptr) return false;
  MEMORY_BASIC_INFORMATION region;
  if (VirtualQuery(table, &region, sizeof(region)) != sizeof(region) ||
      region.State != MEM_COMMIT) {
    return false;
  }
  // Only what is committed is read, whatever the table's size turns out to be.
  const auto* end = static_cast<const uint8_t*>(region.BaseAddress) + region.RegionSize;
  size_t entries = std::min(kWineEntries, static_cast<size_t>(end - table) / kWineEntrySize);
  count = 0;
  size_t byType[256] = {};
  for (size_t i = 0; i < entries; ++i) {
    uint8_t type = table[i * kWineEntrySize + kWineTypeOffset];
    if (type == 0) continue;
    ++count;
    ++byType[type];
  }
  kinds = DescribeKinds(byType);
  return true;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

BOOL CALLBACK CountProcessWindow(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<DWORD*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

bool CountWineUserObjects(DWORD& count) {
  // Not exported everywhere; where it is, it answers for icons and cursors only.
  auto frameInfo = reinterpret_cast<CursorFrameInfo>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "GetCursorFrameInfo")));
  if (frameInfo == nullptr) return false;
  count = 0;
  EnumWindows(CountProcessWindow, reinterpret_cast<LPARAM>(&count));
  for (UINT_PTR handle = kFirstUserHandle; handle < kUserHandleEnd; handle += 2) {
    DWORD rate = 0;
    DWORD steps = 0;
    if (IsMenu(reinterpret_cast<HMENU>(handle)) ||
        frameInfo(reinterpret_cast<HCURSOR>(handle), 0, 0, &rate, &steps) != nullptr) {
      ++count;
    }
  }
  return true;
}

uint64_t CommittedPrivateBytes() {
  uint64_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  const uint8_t* address = nullptr;
  while (VirtualQuery(address, &region, sizeof(region)) == sizeof(region)) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const uint8_t* next = static_cast<const uint8_t*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return total;
}

}  // namespace

TGuiObjectCount CountGuiObjects() {
  TGuiObjectCount count;
  count.Gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  count.User = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  // A process with windows always holds objects of both kinds; zero means not counted.
  count.GdiKnown = count.Gdi != 0;
  count.UserKnown = count.User != 0;
  if (!count.GdiKnown && RunsUnderWine())
    count.GdiKnown = CountWineGdiObjects(count.Gdi, count.GdiKinds);
  if (!count.UserKnown && RunsUnderWine()) count.UserKnown = CountWineUserObjects(count.User);
  // Wine leaves the private usage of the process's memory counters at 0; the walk over
  // the address space gives the same figure on both.
  count.PrivateBytes = CommittedPrivateBytes();
  return count;
}

}  // namespace varimo
