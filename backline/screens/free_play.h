#pragma once
class GameApp;

// Free Play: the kit plays over the metronome; Space toggles the metronome,
// Escape (or the kit's back button) returns to the menu.
void UpdateFreePlay(GameApp& app);

// The camera's view of the whole kit, shared by the menu and Free Play.
void MoveCameraToKit(GameApp& app);
