#include "backline/pads/velocity_layers.h"

#include <cassert>
#include <cmath>
#include <cstring>

#include "backline/sound/sound_backend.h"
#include "basalt/foundation/log.h"
#include "basalt/fs/path.h"

namespace {

float DistanceTo(const LayerRange& range, float velocity) {
  if (velocity < range.min) return range.min - velocity;
  if (velocity > range.max) return velocity - range.max;
  return 0.0f;
}

int PadSlotOfSound(int soundSlot) { return soundSlot % kPadSlots; }
int WhichOfSound(int soundSlot) { return soundSlot / kPadSlots; }

// Loads the layer's bank sample into slot; false, with a log line naming
// source, when the bank does not hold it or it does not load.
bool LoadLayer(const VelocityLayer& layer, const SampleBank& bank, int slot, const char* source) {
  const int sample = FindSampleByPath(bank, layer.path);
  if (sample != kNoSample && g_soundBackend.LoadSample(slot, bank.paths[sample])) return true;
  Basalt::LogMessage("%s: the velocity layer \"%s\" %s: it is left out", source, layer.path,
                     sample == kNoSample ? "is not in the sample bank" : "cannot be loaded");
  return false;
}

}  // namespace

int PickLayer(const LayerRange* ranges, int count, float velocity) {
  assert(count >= 1 && count <= kMaxVelocityLayers);
  if (std::isnan(velocity)) velocity = 1.0f;
  int nearest = 0;
  for (int layer = 0; layer < count; ++layer) {
    const float distance = DistanceTo(ranges[layer], velocity);
    if (distance == 0.0f) return layer;
    if (distance < DistanceTo(ranges[nearest], velocity)) nearest = layer;
  }
  return nearest;
}

void VelocityLayers::Load(const PadLayerSets& sets, const SampleBank& bank, const char* source) {
  for (int sound = 0; sound < kVolumeSlots; ++sound) {
    const LayerSet& from = sets.sets[sound];
    LayerSet& kept = m_sets.sets[sound];
    kept = LayerSet{};
    std::memcpy(kept.sample, from.sample, sizeof kept.sample);
    for (int layer = 0; layer < from.count; ++layer) {
      const int slot = LayerSoundSlotOf(sound, kept.count);
      if (!LoadLayer(from.layers[layer], bank, slot, source)) continue;
      m_slotLoaded[sound][kept.count] = true;
      kept.layers[kept.count++] = from.layers[layer];
    }
    for (int layer = kept.count; layer < kMaxVelocityLayers; ++layer) Release(sound, layer);
  }
}

void VelocityLayers::Clear() {
  m_sets = PadLayerSets{};
  for (int sound = 0; sound < kVolumeSlots; ++sound)
    for (int layer = 0; layer < kMaxVelocityLayers; ++layer) Release(sound, layer);
}

void VelocityLayers::Release(int soundSlot, int layer) {
  if (!m_slotLoaded[soundSlot][layer]) return;
  g_soundBackend.StopSample(LayerSoundSlotOf(soundSlot, layer));
  m_slotLoaded[soundSlot][layer] = false;
}

int VelocityLayers::ApplyingCount(const PadAssignment& sounding, int soundSlot) const {
  const LayerSet& set = Set(soundSlot);
  const int padSlot = PadSlotOfSound(soundSlot), which = WhichOfSound(soundSlot);
  const int sample = which == PrimarySample ? sounding.primary[padSlot] : sounding.secondary[padSlot];
  if (set.count == 0 || sample == kNoSample) return 0;
  return Basalt::CompareNoCase(PadSamplePath(sounding, padSlot, which), set.sample) == 0 ? set.count : 0;
}

const LayerSet& VelocityLayers::Set(int soundSlot) const {
  assert(soundSlot >= 0 && soundSlot < kVolumeSlots);
  return m_sets.sets[soundSlot];
}

int VelocityLayers::SoundSlotFor(const PadAssignment& sounding, int soundSlot, float velocity) const {
  const int count = ApplyingCount(sounding, soundSlot);
  if (count == 0) return soundSlot;
  LayerRange ranges[kMaxVelocityLayers];
  for (int layer = 0; layer < count; ++layer) ranges[layer] = Set(soundSlot).layers[layer].range;
  return LayerSoundSlotOf(soundSlot, PickLayer(ranges, count, velocity));
}

PadLayerSets VelocityLayers::Applying(const PadAssignment& pads) const {
  PadLayerSets applying;
  for (int sound = 0; sound < kVolumeSlots; ++sound)
    if (ApplyingCount(pads, sound) > 0) applying.sets[sound] = m_sets.sets[sound];
  return applying;
}
