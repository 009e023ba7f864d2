#pragma once
// Declares every console variable of the program: the engine's, the
// program's own (backline/common/app_cvars), the update check's and the MIDI
// notes', in the order the README lists them.
// Main thread, first thing at start-up (the program, its commands and the
// tests call it); calling it again changes nothing.
void RegisterProgramSettings();
