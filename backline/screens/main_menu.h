#pragma once
class GameApp;

// The main menu: "Free Play", "Assign Pads", "Record", "Play Back", "Exit" in
// a tinted panel, the selection pulsing; arrows or pads move, Enter or the
// green pad selects. Up waits for the first ten menu frames of the run.
void UpdateMainMenu(GameApp& app);
