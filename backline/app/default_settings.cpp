#include "backline/app/default_settings.h"

#include <cstdio>

#include "basalt/foundation/settings_text.h"
#include "basalt/fs/atomic_write.h"
#include "basalt/fs/path.h"

const char kSettingsFileName[] = "settings.cfg";

std::string DefaultSettingsText() {
  // The settings a player most often changes; the rest keep following the
  // program's defaults, as the README's table lists them.
  return Basalt::SettingsFileText({"g_screenWidth", "g_screenHeight", "g_noShaders", "g_textureFilterMode",
                                   "g_hitDelayThreshold", "g_noUpdateCheck", "g_useSoundLib"});
}

bool EnsureSettingsFile() {
  const std::string path = Basalt::ResolvePath(kSettingsFileName);
  if (std::FILE* existing = std::fopen(path.c_str(), "r")) {
    std::fclose(existing);
    return true;
  }
  const std::string text = DefaultSettingsText();
  return Basalt::WriteFileAtomically(kSettingsFileName, text.data(), text.size());
}
