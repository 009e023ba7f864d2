#pragma once
#include "basalt/core/iapp.h"

// The one application object: lives on the entry point's stack for the whole
// run and is driven by the engine's loop once per frame.
class GameApp : public Basalt::IApp {
 public:
  static constexpr const char* kVersionText = "version 1.36";
  static constexpr const char* kWindowTitle = "Padlark";

  // Fills the version text and writes the default settings file when it is missing.
  GameApp();

  // The platform callback: names the window. setup is a Basalt::WindowSetup*.
  static unsigned PlatformCallback(void* setup);
};
