#include "basalt/graphics/gl/display_modes.h"

#include <SDL.h>

#include <cstdlib>

#include "basalt/foundation/log.h"

namespace Basalt {

namespace {

void AddIf32Bit(const SDL_DisplayMode& mode, std::vector<DisplayMode>* modes) {
  if (SDL_BYTESPERPIXEL(mode.format) != 4 || mode.w <= 0 || mode.h <= 0) return;
  modes->push_back({static_cast<unsigned>(mode.w), static_cast<unsigned>(mode.h),
                    static_cast<unsigned>(mode.refresh_rate), mode.format});
}

}  // namespace

int EnumerateDisplayModes(std::vector<DisplayMode>* modes) {
  modes->clear();
  const int count = SDL_GetNumDisplayModes(0);
  if (count < 0) {
    LogMessage("SDL_GetNumDisplayModes failed (code: %d): %s", count, SDL_GetError());
    return -1;
  }
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode = {};
    const int result = SDL_GetDisplayMode(0, i, &mode);
    if (result != 0) {
      LogMessage("SDL_GetDisplayMode failed (code: %d): %s", result, SDL_GetError());
      modes->clear();
      return -1;
    }
    AddIf32Bit(mode, modes);
  }
  // Drivers without a real display (offscreen) list no usable mode, only a desktop.
  SDL_DisplayMode desktop = {};
  if (modes->empty() && SDL_GetDesktopDisplayMode(0, &desktop) == 0) AddIf32Bit(desktop, modes);
  return static_cast<int>(modes->size());
}

int FindClosestDisplayMode(const std::vector<DisplayMode>& modes, int width, int height) {
  int best = -1;
  long bestDistance = 99999;
  for (size_t i = 0; i < modes.size(); ++i) {
    const long distance = std::labs(width - static_cast<long>(modes[i].width)) +
                          std::labs(height - static_cast<long>(modes[i].height));
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

}  // namespace Basalt
