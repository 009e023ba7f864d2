#pragma once
// `backline --export-wav RECORDING WAV`: renders a recording offline through
// the voice engine (no window, no audio device) and writes it as a 48 kHz
// stereo 24-bit WAV (wav_export.h), from the game directory: the recording,
// the sample bank and settings.cfg (the pitch spread) are read from the
// current directory, as the program reads them. Its log goes to
// exportlog.txt there; stdout says what was written, stderr why nothing was.
// Main thread, before and instead of the engine's loop.

// Runs the export; returns the process's exit status (EXIT_SUCCESS, or
// EXIT_FAILURE when the sample bank, the recording or the WAV file fails).
int RunExportCommand(const char* recordingPath, const char* wavPath);
