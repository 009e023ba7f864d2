#include "backline/common/app_cvars.h"

#include <climits>

#include "basalt/foundation/cvar.h"
#include "basalt/foundation/cvar_system.h"

// Each holds its default once RegisterAppSettings has run.
int g_audioBufferSize;
int g_audioPeriodMs;
int g_hitDelayThreshold;
int g_usePollMethod;
bool g_noUpdateCheck;
int g_freqVariation;
int g_useSoundLib;
bool g_drawFPS;
bool g_redefinePads;
int g_redPad;
int g_yellowPad;
int g_bluePad;
int g_greenPad;
int g_bassDrum;
int g_velocityCurve;
int g_velocityFloor;

void RegisterAppSettings() {
  using Basalt::cvar;
  static const cvar kSettings[] = {
      {&g_hitDelayThreshold, "g_hitDelayThreshold", 90,
       "ms before a held pad sounds again with `g_usePollMethod = 1`; 0 or more", 0, INT_MAX},
      {&g_usePollMethod, "g_usePollMethod", 0, "non-zero: a held pad repeats (polling) instead of sounding once per press"},
      {&g_freqVariation, "g_freqVariation", 30, "random pitch spread of each hit, thousandths; 0 for none"},
      {&g_useSoundLib, "g_useSoundLib", 0, "sound engine tried first: 0 our low-latency voice mixer, 1 SDL_mixer"},
      {&g_audioPeriodMs, "g_audioPeriodMs", 5, "length of one sound-card period in ms (see below); 1 to 100", 1, 100},
      {&g_audioBufferSize, "g_audioBufferSize", 10, "accepted from older settings files and not used: the period is `g_audioPeriodMs`"},
      {&g_noUpdateCheck, "g_noUpdateCheck", false, "1 never asks whether a newer version exists"},
      {&g_drawFPS, "g_drawFPS", false, "frame-rate read-out"},
      {&g_redefinePads, "g_redefinePads", false, "use the `g_*Pad` and `g_bassDrum` button numbers below"},
      {&g_redPad, "g_redPad", 3, "the drum controller button 0 plays: 0 red, 1 yellow, 2 blue, 3 green, 4 bass pedal"},
      {&g_yellowPad, "g_yellowPad", 0, "the drum controller button 1 plays"},
      {&g_bluePad, "g_bluePad", 2, "the drum controller button 2 plays"},
      {&g_greenPad, "g_greenPad", 1, "the drum controller button 3 plays"},
      {&g_bassDrum, "g_bassDrum", 4, "the drum controller button 4 plays"},
      {&g_velocityCurve, "g_velocityCurve", 2,
       "how hard you strike shapes how loud the pad plays (see Dynamics below): 0 off (every strike at the pad's "
       "volume), 1 linear, 2 soft (the level follows the square of the strength); 0 to 2",
       0, 2},
      {&g_velocityFloor, "g_velocityFloor", 10,
       "the level, in percent of the pad's volume, the softest strike still plays at; 0 to 100", 0, 100},
  };
  Basalt::CVarSystem::Register(kSettings);
}
