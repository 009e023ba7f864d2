#pragma once
// The back end of a machine without any audio device: the program runs on,
// silently. Every operation succeeds but plays nothing: samples are not
// decoded, notes are dropped (PlayNote is false, as for an empty slot) and
// the metronome never clicks. Any thread, like the table it fills.
#include "backline/sound/sound_backend.h"

const SoundBackend& SoundBackendSilent();
