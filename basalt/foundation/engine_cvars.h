#pragma once
// The engine's console variables; "settings.cfg" may override each default
// before start-up reads it.

namespace Basalt {

// Declares the variables below to CVarSystem and gives each its default.
// Main thread, before anything reads them; Core::Launch calls it, and
// calling it again changes nothing.
void RegisterEngineSettings();

extern int g_screenWidth;  // window client area and back buffer
extern int g_screenHeight;
extern bool g_fullScreen;
extern int g_anisoLevel;  // texture sampling
extern int g_textureFilterMode;
extern int g_multisampling;
extern int g_mipLevels;      // texture creation
extern bool g_initGamePad;   // input start-up opens game pads too
extern bool g_disableInput;  // no input at all
extern bool g_noShaders;     // fixed-function lighting instead of the material shaders
extern int g_maxFps;         // frames drawn per second at most (vsync asked for too); 0 = no cap
extern int g_idleFps;        // the same on a screen left alone for a second; 0 = g_maxFps throughout

}  // namespace Basalt
