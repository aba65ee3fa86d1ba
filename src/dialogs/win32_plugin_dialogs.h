#pragma once
// The dialogs port on the system: message boxes, the options and file information dialogs
// made from the main window's state, the shell's folder browser, and the programs the
// plug-in starts.

#include <functional>
#include <optional>
#include <string>

#include "dialogs/options_model.h"
#include "engine/varimo_context.h"
#include "platform/win32_ui_ports.h"

namespace varimo {

class Win32PluginDialogs : public IDialogs {
 public:
  using TApply = std::function<void(TOptionsModel&)>;

  // owner gives the main window, which owns every dialog and the browser.
  explicit Win32PluginDialogs(TWindowGetter owner) : owner_(owner), messages_(owner) {}
  // The state the dialogs show and the Apply that takes the options dialog's working copy;
  // set before the first dialog opens.
  void Bind(TVarimo& varimo, TPorts& ports, TApply apply) {
    varimo_ = &varimo;
    ports_ = &ports;
    apply_ = std::move(apply);
  }

  void ShowMessage(const std::string& text) override { messages_.ShowMessage(text); }
  // A dialog asked for while one is open (a hot key, the host's configure call) is not
  // opened a second time.
  void ShowOptions() override;
  void ShowFileInfo() override;
  std::optional<std::string> BrowseForFolder(const std::string& title,
                                             const std::string& proposed) override;
  void StartProgram(const std::string& program, const std::string& commandLine) override;

 private:
  TWindowGetter owner_;
  Win32MessageBox messages_;
  TVarimo* varimo_ = nullptr;
  TPorts* ports_ = nullptr;
  TApply apply_;
  bool open_ = false;
};

}  // namespace varimo
