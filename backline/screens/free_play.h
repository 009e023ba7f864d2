#pragma once
// Free Play: the kit plays over the metronome; Space or a kit's Start
// button toggles the metronome, Escape (or the kit's back button) returns to
// the menu, stopping the metronome.
#include "backline/controls/metronome.h"
#include "backline/scene/sway.h"
#include "backline/pads/pad_map.h"
#include "backline/screens/screen_switcher.h"
#include "backline/screens/screen_widgets.h"

class Camera;

class FreePlayScreen final : public Screen {
 public:
  // Every reference outlives the screen; kitsShown: the kits the drum set shows.
  FreePlayScreen(const ScreenCanvas& canvas, ScreenSwitcher& screens, Camera& camera, Sway& sway, Metronome& metronome,
                 const PadMap& padMap, const unsigned& kitsShown)
      : m_canvas(canvas),
        m_screens(screens),
        m_camera(camera),
        m_sway(sway),
        m_metronome(metronome),
        m_padMap(padMap),
        m_kitsShown(kitsShown) {}

  void Update(const ScreenFrame& frame) override;
  void Leave() override { m_metronome.on = false; }
  bool InstrumentLive() const override { return true; }

 private:
  ScreenCanvas m_canvas;
  ScreenSwitcher& m_screens;
  Camera& m_camera;
  Sway& m_sway;
  Metronome& m_metronome;
  const PadMap& m_padMap;
  const unsigned& m_kitsShown;
};
