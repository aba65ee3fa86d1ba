// Holds a file open without sharing, as an editor or a virus scanner may hold a settings
// file: once the trigger file appears it opens FILE for reading with no sharing, prints
// "held", keeps it SECONDS seconds and closes it. Without a trigger within a minute it ends
// with status 1. Usage: hold_file FILE TRIGGER SECONDS
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: hold_file FILE TRIGGER SECONDS\n");
    return 2;
  }
  for (int waited = 0; GetFileAttributesA(argv[2]) == INVALID_FILE_ATTRIBUTES; waited += 20) {
    if (waited > 60000) {
      std::printf("no trigger\n");
      return 1;
    }
    Sleep(20);
  }
  HANDLE file =
      CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::printf("cannot open %s: %lu\n", argv[1], GetLastError());
    return 1;
  }
  std::printf("held\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(std::atoi(argv[3])) * 1000);
  CloseHandle(file);
  return 0;
}
