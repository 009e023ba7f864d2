#include "backline/scene/drum_set.h"

#include <cassert>
#include <cmath>

#include "basalt/core/core.h"
#include "basalt/core/log.h"
#include "basalt/graphics/mesh_manager_gl.h"

namespace {

// The flash of each pad as multipliers of its resting white: the channels
// below 1.0 are set on a strike, the others keep their value. Red, yellow,
// blue, green, then the orange bass pedal.
constexpr float kFlashColours[DrumSet::kPadsPerKit][3] = {
    {1.0f, 0.0f, 0.0f}, {0.6f, 0.6f, 0.0f}, {0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f}, {1.0f, 0.5f, 0.0f},
};

}  // namespace

DrumSet::DrumSet() {
  m_typeID = kTypeID;
  for (float& volume : m_padVolume) volume = 1.0f;
}

bool DrumSet::SetKitCount(unsigned kits) {
  m_kitCount = kits;
  const char* meshName = kits < 2 ? kOneKitMesh : kTwoKitMesh;
  mesh = Basalt::g_pMeshManager ? Basalt::g_pMeshManager->GetMesh(meshName) : nullptr;
  position = {0.0f, 0.0f, 0.0f};
  for (float& volume : m_padVolume) volume = 1.0f;
  if (!mesh && Basalt::g_pSystemLog)
    Basalt::g_pSystemLog->Send("DrumSet::SetKitCount(): mesh \"%s\" not found, the drum set is not shown", meshName);
  return mesh != nullptr;
}

float DrumSet::GetPadVolume(unsigned soundSlot) const {
  assert(soundSlot < kNumSoundSlots && "sound slot");
  return m_padVolume[soundSlot];
}

void DrumSet::SetPadVolume(unsigned soundSlot, float volume) {
  assert(soundSlot < kNumSoundSlots && "sound slot");
  if (std::isnan(volume)) return;
  m_padVolume[soundSlot] = std::fmin(std::fmax(volume, 0.0f), 1.0f);
}

void DrumSet::FlashPadSlot(unsigned padSlot) {
  assert(padSlot < kNumPadSlots && "pad slot");
  const float* flash = kFlashColours[padSlot % kPadsPerKit];
  float* colour = subsetColours[padSlot];
  for (int channel = 0; channel < 3; ++channel)
    if (flash[channel] < 1.0f) colour[channel] = flash[channel];
}

bool DrumSet::Update() {
  FadeFlashes(Basalt::g_pCore ? Basalt::g_pCore->GetTimeKey() : 0.0f);
  return true;
}

// Not clamped: a channel may end a little above 1.0 and stays there.
void DrumSet::FadeFlashes(float frameTime) {
  const float rise = frameTime * kFadeRate;
  for (unsigned slot = 0; slot < kNumPadSlots; ++slot)
    for (int channel = 0; channel < 3; ++channel)
      if (subsetColours[slot][channel] < 1.0f) subsetColours[slot][channel] += rise;
}
