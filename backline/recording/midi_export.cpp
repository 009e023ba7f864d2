#include "backline/recording/midi_export.h"

#include <cstdint>

#include "backline/common/pad_slots.h"
#include "backline/recording/event_order.h"
#include "backline/recording/file_export.h"
#include "basalt/fs/atomic_write.h"

namespace {

SecondaryPads NamedSecondaries(const Recording& recording) {
  SecondaryPads secondaries{};
  for (int slot = 0; slot < kPlrPadSlots; ++slot)
    secondaries[static_cast<size_t>(slot)] = recording.pads[slot].secondary[0] != '\0';
  return secondaries;
}

std::string Export(const Recording& recording, const MidiNoteTable& notes, const char* path) {
  const std::vector<MidiFileNote> strikes = RecordingMidiNotes(recording, notes);
  for (const MidiFileNote& strike : strikes)
    if (!MidiFileCanHold(strike.ms, kRecordingMidiBpm))
      return "the recording has a strike at " + std::to_string(strike.ms) + " ms, which a MIDI file cannot hold";
  const std::vector<uint8_t> file = EncodeMidiFile(strikes, kRecordingMidiBpm);
  return Basalt::WriteFileAtomically(path, file.data(), file.size()) ? "" : "it cannot be saved (see the line above)";
}

}  // namespace

std::vector<MidiFileNote> RecordingMidiNotes(const Recording& recording, const MidiNoteTable& notes) {
  const SecondaryPads secondaries = NamedSecondaries(recording);
  std::vector<MidiFileNote> strikes;
  EventCursor cursor;
  for (RecordedEvent event; (event = TakeRecordedEvent(recording, secondaries, &cursor, INT64_MAX)).slot >= 0;) {
    if (!event.heard) continue;
    const int soundSlot = SoundSlotOf(event.slot, event.secondary ? SecondarySample : PrimarySample);
    strikes.push_back({event.ms, notes.NoteOf(soundSlot), event.velocity});
  }
  return strikes;
}

std::string ExportRecordingMidi(const Recording& recording, const MidiNoteTable& notes, const char* path) {
  return RunFileExport(path, [&] { return Export(recording, notes, path); });
}
