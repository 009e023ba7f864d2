#pragma once
class GameApp;

// "Save PLR": the name entry the Record screen opens with its performance.
// Enter with a name saves it as "recordings\<name>.plr" and frees it; a save
// that fails says so in a message box naming the file and stays here with
// the performance kept, so another name can be tried. Enter on an empty name
// and Escape drop it. Both lead back to the main menu.
void UpdateSaveRecordingScreen(GameApp& app);

// "Open a Recording": the list of "recordings" (built by OpenRecordingList).
// Enter loads the chosen file and starts playback; a file that cannot be read
// or is no recording shows a message box naming the file and what is wrong
// with it. That, and Escape, return to the main menu.
void UpdateOpenRecordingScreen(GameApp& app);

// Lists the recordings and opens the list (the main menu's "Play Back").
void OpenRecordingList(GameApp& app);
