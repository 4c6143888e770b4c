#pragma once

#include "chart/FileDialogs.h"
#include "chart/FontDialogs.h"
#include "gui/BrowserLauncher.h"
#include "gui/UserPrompts.h"

/// The desktop services a window uses, handed in by whoever creates it. Not owned.
struct UiPorts {
  UserPrompts* prompts = nullptr;
  FileDialogs* fileDialogs = nullptr;
  BrowserLauncher* browser = nullptr;
  FontDialogs* fontDialogs = nullptr;
};
