#pragma once
class GameApp;

// Free Play: the kit plays over the metronome; Space or a kit's Start
// button toggles the metronome, Escape (or the kit's back button) returns to
// the menu.
void UpdateFreePlay(GameApp& app);

// Switches the metronome once for every press of Space and of a kit's Start
// button this frame (Free Play, Record).
void ToggleMetronomeOnRequest(GameApp& app);

// The camera's view of the whole kit, shared by the menu and Free Play.
void MoveCameraToKit(GameApp& app);
