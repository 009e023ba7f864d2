#pragma once
// How kits, pads and sound slots are numbered. A pad slot is kit x 5 + pad
// (0..9); its primary sample plays from the sound slot of the same number,
// its secondary from pad slot + 10, and sound slot 20 is the metronome click.

constexpr int kKits = 2;
constexpr int kPadsPerKit = 5;
constexpr int kPadSlots = kKits * kPadsPerKit;
constexpr int kSecondarySlotOffset = kPadSlots;
constexpr int kVolumeSlots = 2 * kPadSlots;  // every pad slot's primary and secondary
constexpr int kMetronomeSoundSlot = 20;

enum Pad { RedPad = 0, YellowPad = 1, BluePad = 2, GreenPad = 3, BassPedal = 4 };

enum SampleSlot { PrimarySample = 0, SecondarySample = 1 };

constexpr int PadSlotOf(int kit, int pad) { return kit * kPadsPerKit + pad; }
// which: PrimarySample or SecondarySample.
constexpr int SoundSlotOf(int padSlot, int which) { return padSlot + kSecondarySlotOffset * which; }
