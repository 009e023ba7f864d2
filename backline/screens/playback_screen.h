#pragma once
class GameApp;

// The Playback screen: plays the recording just opened once, on the drum set
// of the recording's kit count, with its volumes; "DONE" once its length has
// passed. Escape returns to the menu, frees the events and puts the drum set
// back to the kits in use.
void UpdatePlaybackScreen(GameApp& app);
