#pragma once
class GameApp;
struct FrameStrikes;

// Free Play: the kit plays over the metronome; Space toggles the metronome,
// Escape (or the kit's back button) returns to the menu.
void UpdateFreePlay(GameApp& app);

// Flashes the pads of the frame's strikes (Free Play, Record, Playback).
void FlashStrikes(GameApp& app, const FrameStrikes& strikes);

// The camera's view of the whole kit, shared by the menu and Free Play.
void MoveCameraToKit(GameApp& app);
