#pragma once
// The user's answer to "Check for Updates?", kept as one byte in "rmd.dat":
// 'y' check at every start, 'n' never ask nor check; any other byte neither
// asks nor checks; no file means ask.
enum class UpdatePreference { Ask, Check, Never };

extern const char kUpdatePreferenceFile[];  // "rmd.dat"

UpdatePreference ReadUpdatePreference();
// Writes answer ('y' or 'n') with Basalt::WriteFileAtomically; false, with a
// log line, when the file cannot be written (the question then comes again
// at the next start).
bool WriteUpdatePreference(char answer);
