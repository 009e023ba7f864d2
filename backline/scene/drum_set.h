#pragma once
// The 3D drum set: one mesh showing one or two kits, whose subsets 0..9 are
// the pad slots (kit x 5 + pad). It listens to the instrument's strikes and
// shows the flash of each pad slot: a strike tints the pad's subset colour
// and Update fades it back to white. Created by the scene graph (owned
// there); main thread only. Nothing here allocates or searches, so a strike
// may flash a pad freely.
#include "backline/pads/pad_flash.h"
#include "backline/pads/strike_listener.h"
#include "basalt/scene/base_object.h"

class DrumSet : public Basalt::IBaseObject, public StrikeListener {
 public:
  static constexpr unsigned kTypeID = 2;
  static constexpr const char* kOneKitMesh = "drumset.gmsh";
  static constexpr const char* kTwoKitMesh = "drumset2.gmsh";

  DrumSet() { m_typeID = kTypeID; }

  // One kit; the application calls SetKitCount directly instead.
  bool Initialize() override { return SetKitCount(1); }
  // Shows kits kits (the two-kit mesh from 2 on) and puts the set at the
  // origin. False (and logged) when the mesh is missing; the rest is done
  // anyway and nothing is drawn.
  bool SetKitCount(unsigned kits);
  unsigned GetKitCount() const { return m_kitCount; }

  // Tints pad slot padSlot (0..9) in its pad's flash colour, starting over
  // if it is still fading.
  void FlashPadSlot(int padSlot);
  // A strike flashes its pad slot; a modifier pedal's release shows nothing.
  void OnStrike(const StrikeReport& strike) override;
  // Fades the flashes by the core's frame time.
  bool Update() override;
  // Fades the flashes by frameTime seconds (what Update does each frame).
  void FadeFlashes(float frameTime);

 private:
  void ShowFlash(int padSlot);

  unsigned m_kitCount = 0;
  PadColour m_flash[kPadSlots];
};
