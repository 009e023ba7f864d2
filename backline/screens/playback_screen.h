#pragma once
class GameApp;

// The Playback screen: plays the recording just opened once, with its own
// samples and volumes, on the drum set of the recording's kit count; "DONE"
// once its length has passed. A sample the bank does not hold is logged and
// its pad is silent. Escape returns to the menu, frees the events, puts the
// user's samples back into the sound slots and the drum set back to the kits
// in use. The user's pad assignment and volumes are never changed. M writes
// the recording as a Standard MIDI File beside it (recordings/<name>.mid,
// midi_export.h), whole or not at all: the screen names the file written, a
// message says why when it could not be.
void UpdatePlaybackScreen(GameApp& app);
