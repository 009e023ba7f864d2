#include "backline/midi/midi_file.h"

#include <algorithm>
#include <cassert>
#include <map>

#include "backline/midi/midi_message.h"

namespace {

constexpr int64_t kMicrosecondsPerMinute = 60000000;
constexpr int64_t kMsPerMinute = 60000;
constexpr int64_t kMaxTick = 0x0FFFFFFF;  // four bytes of seven bits

// One message of the track at its tick; note-offs sort before note-ons of the same tick.
struct TrackEvent {
  int64_t tick = 0;
  bool on = false;
  MidiMessage message;
};

void PutBigEndian(std::vector<uint8_t>* out, uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out->push_back(static_cast<uint8_t>(value >> shift));
}

// A delta time as a variable-length quantity: seven bits a byte, the most
// significant first, every byte but the last with its top bit set.
void PutVariableLength(std::vector<uint8_t>* out, uint32_t value) {
  uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out->push_back(static_cast<uint8_t>(groups[--count] | 0x80));
  out->push_back(groups[0]);
}

void PutChunk(std::vector<uint8_t>* out, const char* type, const std::vector<uint8_t>& body) {
  out->insert(out->end(), type, type + 4);
  PutBigEndian(out, static_cast<uint32_t>(body.size()), 4);
  out->insert(out->end(), body.begin(), body.end());
}

// The notes as note-ons at their ticks, one note struck twice in one tick
// merged into its harder strike; in the notes' order.
std::vector<TrackEvent> NoteOns(const std::vector<MidiFileNote>& notes, int bpm) {
  std::vector<TrackEvent> ons;
  std::map<std::pair<int64_t, uint8_t>, size_t> atTick;  // (tick, note) -> index in ons
  for (const MidiFileNote& note : notes) {
    const TrackEvent on{MidiFileTickOf(note.ms, bpm), true, DrumNoteOn(note.note, note.velocity)};
    const auto [found, added] = atTick.emplace(std::make_pair(on.tick, note.note), ons.size());
    if (added)
      ons.push_back(on);
    else
      ons[found->second].message.data2 = std::max(ons[found->second].message.data2, on.message.data2);
  }
  return ons;
}

// Each note-on's note-off: a note's length later, or at the next strike of
// the same note when that comes sooner.
std::vector<TrackEvent> NoteOffs(const std::vector<TrackEvent>& ons, int bpm) {
  const int64_t length = std::max<int64_t>(1, MidiFileTickOf(kMidiNoteLengthMs, bpm));
  std::map<uint8_t, int64_t> nextOn;  // note -> the tick of its next strike, walking back from the end
  std::vector<TrackEvent> offs(ons.size());
  for (size_t i = ons.size(); i-- > 0;) {
    const uint8_t note = ons[i].message.data1;
    int64_t end = ons[i].tick + length;
    if (const auto next = nextOn.find(note); next != nextOn.end()) end = std::min(end, next->second);
    offs[i] = {end, false, DrumNoteOff(note)};
    nextOn[note] = ons[i].tick;
  }
  return offs;
}

}  // namespace

int64_t MidiFileTickOf(int64_t ms, int bpm) {
  assert(ms >= 0 && bpm > 0);
  const int64_t scaled = ms * kMidiFileTicksPerQuarter * bpm;
  return (scaled + kMsPerMinute / 2) / kMsPerMinute;
}

bool MidiFileCanHold(int64_t ms, int bpm) { return ms >= 0 && MidiFileTickOf(ms + kMidiNoteLengthMs, bpm) <= kMaxTick; }

std::vector<uint8_t> EncodeMidiFile(const std::vector<MidiFileNote>& notes, int bpm) {
  assert(bpm >= 1 && bpm <= 1000);
  assert(std::all_of(notes.begin(), notes.end(), [bpm](const MidiFileNote& note) { return MidiFileCanHold(note.ms, bpm); }));
  std::vector<TrackEvent> events = NoteOns(notes, bpm);
  const std::vector<TrackEvent> offs = NoteOffs(events, bpm);
  events.insert(events.end(), offs.begin(), offs.end());
  std::stable_sort(events.begin(), events.end(), [](const TrackEvent& a, const TrackEvent& b) {
    return a.tick != b.tick ? a.tick < b.tick : !a.on && b.on;
  });

  std::vector<uint8_t> track = {0x00, 0xFF, 0x51, 0x03};  // the tempo: microseconds per quarter note
  PutBigEndian(&track, static_cast<uint32_t>(kMicrosecondsPerMinute / bpm), 3);
  int64_t at = 0;
  for (const TrackEvent& event : events) {
    PutVariableLength(&track, static_cast<uint32_t>(event.tick - at));
    at = event.tick;
    track.insert(track.end(), {event.message.status, event.message.data1, event.message.data2});
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});  // end of track

  std::vector<uint8_t> file;
  std::vector<uint8_t> header;
  PutBigEndian(&header, 0, 2);  // format 0
  PutBigEndian(&header, 1, 2);  // one track
  PutBigEndian(&header, kMidiFileTicksPerQuarter, 2);
  PutChunk(&file, "MThd", header);
  PutChunk(&file, "MTrk", track);
  return file;
}
