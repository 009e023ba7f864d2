#pragma once
// `backline --import-kit DIR`: brings a drum-kit folder with a drumkit.xml
// (drumkit_file.h) into the game directory, the working directory. Each
// instrument's samples are converted to WAV files in the SampleBank category
// its name calls for (drum_roles.h), named "<kit> - <instrument>.wav", or
// "<kit> - <instrument> 1.wav" and up from the softest layer; a preset named
// after the kit puts the kit on the pads (kit_layout.h) with the
// instruments' volumes, and the instruments' velocity layers go into the
// preset's layers file (backline/pads/layer_file.h).
//
// Nothing the user has is replaced: names that are taken get a number. All
// files are written into a staging folder first and moved into place at the
// end, the preset last, so a kit that cannot be imported leaves nothing
// behind. A sample that is missing or cannot be read is left out (the
// report names it) and its instrument plays the layers it has left, or is
// left out when it has none; a drumkit.xml that is damaged stops the import.
//
// Runs before the program starts (no log, no window); main thread; never
// throws.
#include <string>

// Imports the kit in kitFolder. True, with *report saying what was written
// where and which samples were left out; false, with *report naming the file
// and what is wrong with it.
bool ImportKit(const std::string& kitFolder, std::string* report);
