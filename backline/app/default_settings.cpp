#include "backline/app/default_settings.h"

#include <cstdio>
#include <cstring>

#include "basalt/fs/atomic_write.h"
#include "basalt/fs/path.h"

const char kSettingsFileName[] = "settings.cfg";

const char kDefaultSettingsText[] =
    "g_screenWidth = 800\n"
    "g_screenHeight = 600\n"
    "g_noShaders = 0\n"
    "g_textureFilterMode = 3\n"
    "g_hitDelayThreshold = 90\n"
    "g_noUpdateCheck = 0\t\t// change this to 1 if you never want to check for updates\n"
    "g_useSoundLib = 0               // 0 = Padlark's own voice engine; 1 = SDL_mixer";

bool EnsureSettingsFile() {
  const std::string path = Basalt::ResolvePath(kSettingsFileName);
  if (std::FILE* existing = std::fopen(path.c_str(), "r")) {
    std::fclose(existing);
    return true;
  }
  return Basalt::WriteFileAtomically(kSettingsFileName, kDefaultSettingsText, std::strlen(kDefaultSettingsText));
}
