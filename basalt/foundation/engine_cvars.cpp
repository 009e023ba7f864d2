#include "basalt/foundation/engine_cvars.h"

#include <climits>

#include "basalt/foundation/cvar.h"
#include "basalt/foundation/cvar_system.h"

namespace Basalt {

// Each holds its default once RegisterEngineSettings has run.
int g_screenWidth;
int g_screenHeight;
bool g_fullScreen;
int g_anisoLevel;
int g_textureFilterMode;
int g_multisampling;
int g_mipLevels;
bool g_initGamePad;
bool g_disableInput;
bool g_noShaders;
int g_maxFps;
int g_idleFps;

void RegisterEngineSettings() {
  // A window needs at least one pixel each way; one larger than the display
  // is made the desktop's size when it opens (PlatformSDL).
  static const cvar kSettings[] = {
      {&g_screenWidth, "g_screenWidth", 800,
       "window width in pixels, at least 1; a size larger than the display opens at the desktop's size", 1, INT_MAX},
      {&g_screenHeight, "g_screenHeight", 600, "window height in pixels, at least 1", 1, INT_MAX},
      {&g_fullScreen, "g_fullScreen", false, "full screen instead of a window"},
      {&g_textureFilterMode, "g_textureFilterMode", 3,
       "texture filtering: 0 point, 1 bilinear, 2 trilinear, 3 anisotropic"},
      {&g_anisoLevel, "g_anisoLevel", 2, "anisotropy of `g_textureFilterMode = 3`, at most what the card offers"},
      {&g_multisampling, "g_multisampling", 0, "samples per pixel in full screen (2 or more); 0 for none"},
      {&g_mipLevels, "g_mipLevels", 0, "mip levels made for each texture; 0 for none"},
      {&g_noShaders, "g_noShaders", false, "simple built-in lighting instead of the material shaders"},
      {&g_initGamePad, "g_initGamePad", true, "open joysticks at start"},
      {&g_disableInput, "g_disableInput", false, "no input at all"},
      {&g_maxFps, "g_maxFps", 120,
       "frames drawn per second at most (vsync too, where the display offers it); 0 = no cap"},
      {&g_idleFps, "g_idleFps", 10,
       "frames per second at most on a menu left alone for a second (any key, mouse or kit event brings "
       "`g_maxFps` back at once; Free Play, Record, Playback and a running metronome always have it); "
       "0 = always `g_maxFps`. Sound never depends on either"},
  };
  CVarSystem::Register(kSettings);
}

}  // namespace Basalt
