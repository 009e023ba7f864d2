#pragma once
// A recording as a Standard MIDI File (midi_file.h) at 120 BPM, the tempo
// of a recording, which keeps none: every strike playback hears, in its
// order (event_order.h), as the note of the pad sound it plays (a pad's
// secondary note while the recording's modifier pedal is held and the
// recording names a secondary sample for the pad), at its recorded strength
// (full without one). The file's time 0 is the recording's first strike.
// Main thread.
#include <string>
#include <vector>

#include "backline/midi/midi_file.h"
#include "backline/midi/midi_notes.h"
#include "backline/recording/plr_file.h"

constexpr int kRecordingMidiBpm = kMidiFileDefaultBpm;

// The notes of the recording's heard strikes, in time order.
std::vector<MidiFileNote> RecordingMidiNotes(const Recording& recording, const MidiNoteTable& notes);

// Writes the recording to path (a program path) with
// Basalt::WriteFileAtomically. Empty on success, else why not ("cannot write
// take.mid: ..."), the same in a log line; path is then as it was. A strike
// a file cannot hold (before 0 ms, or beyond 77 hours) is refused so. Never
// throws.
std::string ExportRecordingMidi(const Recording& recording, const MidiNoteTable& notes, const char* path);
