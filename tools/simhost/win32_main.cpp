// simhost: a simulated host player that loads the real plug-in and runs a scenario.
//   simhost.exe [--log FILE] [--origin X Y] [SCENARIO]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "request_log.h"
#include "win32_runner.h"
#include "win32_sim_host.h"

namespace {

// The classic default place of the player, with room on its left for the plug-in's
// window at its own default place.
constexpr POINT kDefaultOrigin = {375, 100};

struct TOptions {
  std::string Log;
  std::string Scenario;
  POINT Origin = kDefaultOrigin;
};

bool ParseOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string word = argv[i];
    if (word == "--log" && i + 1 < argc) {
      options.Log = argv[++i];
    } else if (word == "--origin" && i + 2 < argc) {
      options.Origin = {std::atoi(argv[i + 1]), std::atoi(argv[i + 2])};
      i += 2;
    } else if (!word.empty() && word[0] != '-' && options.Scenario.empty()) {
      options.Scenario = word;
    } else {
      return false;
    }
  }
  return true;
}

std::string ProgramFolder() {
  char path[2 * MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string folder(path, length < sizeof(path) ? length : 0);
  size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: simhost.exe [--log FILE] [--origin X Y] [SCENARIO]\n");
    return 2;
  }
  std::string folder = ProgramFolder();
  if (options.Log.empty()) options.Log = folder + "simhost.log";
  varimo::RequestLog log;
  if (!log.Open(options.Log)) {
    std::fprintf(stderr, "simhost: cannot create the log %s\n", options.Log.c_str());
    return 2;
  }
  varimo::Win32SimHost host(log);
  std::string error;
  if (!host.Create(GetModuleHandleA(nullptr), options.Origin, error)) {
    std::fprintf(stderr, "simhost: %s\n", error.c_str());
    return 2;
  }
  varimo::ScenarioRunner runner(host, log, folder);
  int status = options.Scenario.empty() ? runner.RunInteractive() : runner.Run(options.Scenario);
  host.Destroy();
  return status;
}
