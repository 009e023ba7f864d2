#pragma once
// The program's console variables (the engine's are in basalt/foundation/engine_cvars.h).

// Declares the variables below to CVarSystem and gives each its default.
void RegisterAppSettings();

extern int g_audioBufferSize;     // read from settings files, used by nothing (the period is g_audioPeriodMs)
extern int g_audioPeriodMs;       // audio device period: larger if it crackles, smaller for less delay
extern int g_hitDelayThreshold;   // ms before a held pad may sound again (polling method)
extern int g_usePollMethod;       // non-zero: polling instead of edge detection
extern bool g_noUpdateCheck;      // never ask the update server
extern int g_freqVariation;       // random pitch spread of each hit, thousandths
extern int g_useSoundLib;         // sound back end tried first
extern bool g_drawFPS;            // frame-rate read-out
extern bool g_redefinePads;       // use the g_*Pad button numbers below
extern int g_redPad;
extern int g_yellowPad;
extern int g_bluePad;
extern int g_greenPad;
extern int g_bassDrum;
extern int g_velocityCurve;       // a strike's level from its strength: 0 always full, 1 linear, 2 soft
extern int g_velocityFloor;       // percent of the pad's volume the softest strike still plays at
