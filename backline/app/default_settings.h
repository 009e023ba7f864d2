#pragma once

// The settings file the engine executes at start-up.
extern const char kSettingsFileName[];
// The text written when there is none (266 characters, no final line break).
extern const char kDefaultSettingsText[];

// Writes the default settings file when it cannot be opened for reading
// (whole or not at all, synced, as Basalt::WriteFileAtomically writes); an
// existing file is never rewritten, whatever it holds. Runs before the engine
// exists, so it reports nothing; false when the file could not be written.
bool EnsureSettingsFile();
