#include "backline/scene/drum_set.h"

#include <cassert>

#include "basalt/core/core.h"
#include "basalt/foundation/log.h"
#include "basalt/graphics/mesh_manager.h"

bool DrumSet::SetKitCount(unsigned kits) {
  m_kitCount = kits;
  const char* meshName = kits < 2 ? kOneKitMesh : kTwoKitMesh;
  mesh = Basalt::g_pMeshManager ? Basalt::g_pMeshManager->GetMesh(meshName) : nullptr;
  position = {0.0f, 0.0f, 0.0f};
  if (!mesh) Basalt::LogMessage("DrumSet::SetKitCount(): mesh \"%s\" not found, the drum set is not shown", meshName);
  return mesh != nullptr;
}

void DrumSet::FlashPadSlot(int padSlot) {
  assert(padSlot >= 0 && padSlot < kPadSlots && "pad slot");
  FlashPadColour(&m_flash[padSlot], padSlot % kPadsPerKit);
  ShowFlash(padSlot);
}

void DrumSet::OnStrike(const StrikeReport& strike) {
  if (strike.kind == StrikeReport::Strike) FlashPadSlot(strike.padSlot);
}

bool DrumSet::Update() {
  FadeFlashes(Basalt::g_pCore ? Basalt::g_pCore->GetTimeKey() : 0.0f);
  return true;
}

void DrumSet::FadeFlashes(float frameTime) {
  for (int padSlot = 0; padSlot < kPadSlots; ++padSlot) {
    FadePadColour(&m_flash[padSlot], frameTime);
    ShowFlash(padSlot);
  }
}

// The pad slot's subset takes the flash; its alpha stays as it is.
void DrumSet::ShowFlash(int padSlot) {
  const PadColour& flash = m_flash[padSlot];
  const float alpha = subsetColours[padSlot][3];
  SetSubsetColor(static_cast<unsigned>(padSlot), flash.red, flash.green, flash.blue, alpha);
}
