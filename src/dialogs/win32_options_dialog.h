#pragma once
// The options dialog on the system.

#include <functional>
#include <string>

#include "dialogs/options_model.h"
#include "dialogs/win32_dialog_window.h"

namespace varimo {

struct TOptionsContext {
  // Apply: the working copy becomes the settings in force.
  std::function<void(TOptionsModel&)> Apply;
  IHost& Host;  // the measurement plays and stops the host
  IClock& Clock;
  TWindowBounds Main;
  TScreenSize Screen;
  std::string HelpPage;  // ANSI path
};

// Shows the dialog over the working copy, modal; returns when the user has closed it.
void ShowOptionsDialog(TWindowHandle owner, TOptionsModel& model, const TOptionsContext& context);

}  // namespace varimo
