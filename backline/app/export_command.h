#pragma once
// The export commands, run from the game directory without a window or an
// audio device: the recording (and for a WAV its sample bank) and
// settings.cfg are read from the current directory, as the program reads
// them. Their log goes to exportlog.txt there; stdout says what was written,
// stderr why nothing was. Main thread, before and instead of the engine's
// loop.

// `backline --export-wav RECORDING WAV`: renders a recording offline through
// the voice engine and writes it as a 48 kHz stereo 24-bit WAV
// (wav_export.h), the pitch spread as settings.cfg sets it. Returns the
// process's exit status (EXIT_SUCCESS, or EXIT_FAILURE when the sample bank,
// the recording or the WAV file fails).
int RunExportCommand(const char* recordingPath, const char* wavPath);

// `backline --export-midi RECORDING MID`: writes a recording as a Standard
// MIDI File (midi_export.h) with the notes settings.cfg gives the pads.
// Returns EXIT_SUCCESS, or EXIT_FAILURE when the recording or the file fails.
int RunMidiExportCommand(const char* recordingPath, const char* midiPath);
