#include "basalt/core/engine_cvars.h"

#include <climits>

#include "basalt/core/cvar.h"

namespace Basalt {

int g_screenWidth = 800;
int g_screenHeight = 600;
bool g_fullScreen = false;
int g_anisoLevel = 2;
int g_textureFilterMode = 0;
int g_multisampling = 0;
int g_mipLevels = 0;
bool g_initGamePad = true;
bool g_disableInput = false;
bool g_noShaders = false;
int g_maxFps = 120;
int g_idleFps = 10;

namespace {
// A window needs at least one pixel each way; one larger than the display
// is made the desktop's size when it opens (PlatformSDL).
const cvar kScreenWidth(&g_screenWidth, "g_screenWidth", 1, INT_MAX);
const cvar kScreenHeight(&g_screenHeight, "g_screenHeight", 1, INT_MAX);
const cvar kFullScreen(&g_fullScreen, "g_fullScreen");
const cvar kAnisoLevel(&g_anisoLevel, "g_anisoLevel");
const cvar kTextureFilterMode(&g_textureFilterMode, "g_textureFilterMode");
const cvar kMultisampling(&g_multisampling, "g_multisampling");
const cvar kMipLevels(&g_mipLevels, "g_mipLevels");
const cvar kInitGamePad(&g_initGamePad, "g_initGamePad");
const cvar kDisableInput(&g_disableInput, "g_disableInput");
const cvar kNoShaders(&g_noShaders, "g_noShaders");
const cvar kMaxFps(&g_maxFps, "g_maxFps");
const cvar kIdleFps(&g_idleFps, "g_idleFps");
}  // namespace

}  // namespace Basalt
