#pragma once
class GameApp;

// The update check's three screens: the first-start question "Check for
// Updates?", the "Checking for updates" box (at most six seconds), and
// "Update available!" with its three choices. The answer to the question is
// kept in "rmd.dat".
void UpdatePromptScreen(GameApp& app);
void UpdateCheckScreen(GameApp& app);
void UpdateAvailableScreen(GameApp& app);
