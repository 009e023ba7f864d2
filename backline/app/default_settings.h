#pragma once
#include <string>

// The settings file the engine executes at start-up.
extern const char kSettingsFileName[];

// The text a first start writes: a few registered variables, each at its
// default with its description (Basalt::SettingsFileText). Main thread,
// after RegisterProgramSettings.
std::string DefaultSettingsText();

// Writes DefaultSettingsText to the settings file when it
// cannot be opened for reading (whole or not at all, synced, as
// Basalt::WriteFileAtomically writes); an existing file is never rewritten,
// whatever it holds. Runs after RegisterProgramSettings and before the engine
// exists, so it reports nothing; false when the file could not be written.
bool EnsureSettingsFile();
