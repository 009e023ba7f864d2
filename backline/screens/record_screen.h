#pragma once
class GameApp;

// The Record screen: the kit plays as in Free Play while every strike is
// time-stamped from the first controller button pressed. Enter hands the
// performance to the save name entry (or, before any press, returns to the
// menu); Escape throws it away; Space toggles the metronome.
void UpdateRecordScreen(GameApp& app);
