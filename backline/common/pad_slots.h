#pragma once
// How kits, pads and sound slots are numbered. A pad slot is kit x 5 + pad
// (0..9); its primary sample plays from the sound slot of the same number,
// its secondary from pad slot + 10, and sound slot 20 is the metronome click.
// Each of the twenty pad sounds (0..19) may have up to 16 velocity layers,
// each in a sound slot of its own: layer k of pad sound s plays from sound
// slot 21 + s x 16 + k, so the slots are fixed when the sound starts.

constexpr int kKits = 2;
constexpr int kPadsPerKit = 5;
constexpr int kPadSlots = kKits * kPadsPerKit;
constexpr int kSecondarySlotOffset = kPadSlots;
constexpr int kVolumeSlots = 2 * kPadSlots;  // every pad slot's primary and secondary
constexpr int kMetronomeSoundSlot = 20;
constexpr int kMaxVelocityLayers = 16;
constexpr int kFirstLayerSoundSlot = kMetronomeSoundSlot + 1;
constexpr int kSoundSlots = kFirstLayerSoundSlot + kVolumeSlots * kMaxVelocityLayers;

enum Pad { RedPad = 0, YellowPad = 1, BluePad = 2, GreenPad = 3, BassPedal = 4 };

enum SampleSlot { PrimarySample = 0, SecondarySample = 1 };

constexpr int PadSlotOf(int kit, int pad) { return kit * kPadsPerKit + pad; }
// which: PrimarySample or SecondarySample.
constexpr int SoundSlotOf(int padSlot, int which) { return padSlot + kSecondarySlotOffset * which; }
// padSound: a pad sound slot (0..19); layer: 0..kMaxVelocityLayers - 1.
constexpr int LayerSoundSlotOf(int padSound, int layer) {
  return kFirstLayerSoundSlot + padSound * kMaxVelocityLayers + layer;
}
