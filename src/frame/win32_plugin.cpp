// The library's entry point and the record the host reads.
#include <windows.h>

namespace {

struct GeneralPurposePlugin {
  int version;
  const char* description;
  int (*init)();
  void (*config)();
  void (*quit)();
  HWND hwndParent;
  HINSTANCE hDllInstance;
};

int Init() { return 0; }
void Config() {}
void Quit() {}

GeneralPurposePlugin plugin = {0x10, "Varimo Ver1.62 [gen_Varimo.dll]", Init, Config, Quit,
                               nullptr, nullptr};

}  // namespace

extern "C" __declspec(dllexport) GeneralPurposePlugin* winampGetGeneralPurposePlugin() {
  return &plugin;
}
