// A stand-in for the external unpack program: it records the command line it was
// started with, byte for byte, which program file ran, the first argument as the C
// runtime's argument parsing reads it, and its working directory, then ends at once. The
// record goes to the file that VARIMO_STANDIN_RECORD names, else to standin_unpack.txt
// beside the program; each start appends four lines:
//   command line: <GetCommandLineA>
//   program: <GetModuleFileNameA>
//   first argument: <argument 1, or nothing>
//   working directory: <GetCurrentDirectoryA>
// A copy of it under another name stands for a program that must not run.
#include <windows.h>
// The argument parsing builds on the one above.
#include <shellapi.h>

#include <string>

namespace {

std::string ProgramPath() {
  char path[2 * MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  return std::string(path, length < sizeof(path) ? length : 0);
}

std::string RecordPath() {
  char path[2 * MAX_PATH];
  DWORD length = GetEnvironmentVariableA("VARIMO_STANDIN_RECORD", path, sizeof(path));
  if (length > 0 && length < sizeof(path)) return std::string(path, length);
  std::string program = ProgramPath();
  size_t slash = program.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : program.substr(0, slash + 1)) +
         "standin_unpack.txt";
}

std::string FirstArgument() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return std::string();
  std::string first;
  if (count > 1) {
    int size = WideCharToMultiByte(CP_ACP, 0, arguments[1], -1, nullptr, 0, nullptr, nullptr);
    if (size > 1) {
      first.resize(static_cast<size_t>(size));
      WideCharToMultiByte(CP_ACP, 0, arguments[1], -1, &first[0], size, nullptr, nullptr);
      first.resize(static_cast<size_t>(size - 1));
    }
  }
  LocalFree(arguments);
  return first;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char folder[2 * MAX_PATH];
  DWORD length = GetCurrentDirectoryA(sizeof(folder), folder);
  std::string record =
      std::string("command line: ") + GetCommandLineA() + "\r\n" + "program: " + ProgramPath() +
      "\r\n" + "first argument: " + FirstArgument() + "\r\n" +
      "working directory: " + std::string(folder, length < sizeof(folder) ? length : 0) + "\r\n";
  HANDLE file = CreateFileA(RecordPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == record.size() ? 0 : 1;
}
