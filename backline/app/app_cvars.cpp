#include "backline/app/app_cvars.h"

#include <climits>

#include "basalt/core/cvar.h"

int g_audioBufferSize = 10;
int g_audioPeriodMs = 5;
int g_hitDelayThreshold = 90;
int g_usePollMethod = 0;
bool g_noUpdateCheck = false;
int g_freqVariation = 30;
int g_useSoundLib = 0;
bool g_drawFPS = false;
bool g_redefinePads = false;
int g_redPad = 3;
int g_yellowPad = 0;
int g_bluePad = 2;
int g_greenPad = 1;
int g_bassDrum = 4;
int g_velocityCurve = 2;
int g_velocityFloor = 10;

namespace {
using Basalt::cvar;
const cvar kAudioBufferSize(&g_audioBufferSize, "g_audioBufferSize");
const cvar kAudioPeriodMs(&g_audioPeriodMs, "g_audioPeriodMs");
// Milliseconds until a held pad sounds again: no negative wait.
const cvar kHitDelayThreshold(&g_hitDelayThreshold, "g_hitDelayThreshold", 0, INT_MAX);
const cvar kUsePollMethod(&g_usePollMethod, "g_usePollMethod");
const cvar kNoUpdateCheck(&g_noUpdateCheck, "g_noUpdateCheck");
const cvar kFreqVariation(&g_freqVariation, "g_freqVariation");
const cvar kUseSoundLib(&g_useSoundLib, "g_useSoundLib");
const cvar kDrawFPS(&g_drawFPS, "g_drawFPS");
const cvar kRedefinePads(&g_redefinePads, "g_redefinePads");
const cvar kRedPad(&g_redPad, "g_redPad");
const cvar kYellowPad(&g_yellowPad, "g_yellowPad");
const cvar kBluePad(&g_bluePad, "g_bluePad");
const cvar kGreenPad(&g_greenPad, "g_greenPad");
const cvar kBassDrum(&g_bassDrum, "g_bassDrum");
// How a strike's strength shapes its level (backline/pads/velocity_curve.h).
const cvar kVelocityCurve(&g_velocityCurve, "g_velocityCurve", 0, 2);
const cvar kVelocityFloor(&g_velocityFloor, "g_velocityFloor", 0, 100);
}  // namespace
