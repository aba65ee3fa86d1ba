// A stand-in for the external unpack program: it records the command line it was
// started with, byte for byte, and its working directory, then ends at once. The record
// goes to the file that VARIMO_STANDIN_RECORD names, else to standin_unpack.txt beside
// the program; each start appends two lines:
//   command line: <GetCommandLineA>
//   working directory: <GetCurrentDirectoryA>
#include <windows.h>

#include <string>

namespace {

std::string RecordPath() {
  char path[2 * MAX_PATH];
  DWORD length = GetEnvironmentVariableA("VARIMO_STANDIN_RECORD", path, sizeof(path));
  if (length > 0 && length < sizeof(path)) return std::string(path, length);
  length = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string program(path, length < sizeof(path) ? length : 0);
  size_t slash = program.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : program.substr(0, slash + 1)) +
         "standin_unpack.txt";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char folder[2 * MAX_PATH];
  DWORD length = GetCurrentDirectoryA(sizeof(folder), folder);
  std::string record =
      std::string("command line: ") + GetCommandLineA() + "\r\n" +
      "working directory: " + std::string(folder, length < sizeof(folder) ? length : 0) + "\r\n";
  HANDLE file = CreateFileA(RecordPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == record.size() ? 0 : 1;
}
