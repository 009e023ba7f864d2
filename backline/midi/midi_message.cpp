#include "backline/midi/midi_message.h"

#include <cassert>
#include <cmath>

namespace {

constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kKindMask = 0xF0;
constexpr uint8_t kMaxData = 127;
constexpr uint8_t kReleaseVelocity = 0x40;

}  // namespace

uint8_t MidiVelocityOf(float velocity) {
  if (std::isnan(velocity)) return kMaxData;
  const float scaled = std::round(velocity * kMaxData);
  if (scaled < 1.0f) return 1;
  if (scaled > kMaxData) return kMaxData;
  return static_cast<uint8_t>(scaled);
}

MidiMessage DrumNoteOn(uint8_t note, float velocity) {
  assert(note <= kMaxData);
  return {static_cast<uint8_t>(kNoteOn | kMidiDrumChannel), note, MidiVelocityOf(velocity)};
}

MidiMessage DrumNoteOff(uint8_t note) {
  assert(note <= kMaxData);
  return {static_cast<uint8_t>(kNoteOff | kMidiDrumChannel), note, kReleaseVelocity};
}

bool ReadNoteOn(const MidiMessage& message, IncomingNote* out) {
  if ((message.status & kKindMask) != kNoteOn || message.data2 == 0) return false;
  if (message.data1 > kMaxData || message.data2 > kMaxData) return false;
  out->note = message.data1;
  out->velocity = static_cast<float>(message.data2) / kMaxData;
  return true;
}
