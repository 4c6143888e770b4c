#pragma once

#include "chart/FileDialogs.h"
#include "chart/FontDialogs.h"
#include "gui/BrowserLauncher.h"
#include "gui/UserPrompts.h"

namespace duvanet::gui {

/// The desktop services a window uses, handed in by whoever creates it. Not owned.
struct UiPorts {
  UserPrompts* prompts = nullptr;
  duvanet::chart::FileDialogs* fileDialogs = nullptr;
  BrowserLauncher* browser = nullptr;
  duvanet::chart::FontDialogs* fontDialogs = nullptr;
};

}  // namespace duvanet::gui
