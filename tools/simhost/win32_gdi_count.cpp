#include "win32_gdi_count.h"

#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

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

using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

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

bool CountWineGdiObjects(DWORD& count) {
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
  for (size_t i = 0; i < entries; ++i) {
    if (table[i * kWineEntrySize + kWineTypeOffset] != 0) ++count;
  }
  return true;
}

}  // namespace

TGuiObjectCount CountGuiObjects() {
  TGuiObjectCount count;
  count.Gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  count.User = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  // A process with windows always holds objects of both kinds; zero means not counted.
  count.GdiKnown = count.Gdi != 0;
  count.UserKnown = count.User != 0;
  if (!count.GdiKnown && RunsUnderWine()) count.GdiKnown = CountWineGdiObjects(count.Gdi);
  return count;
}

}  // namespace varimo
