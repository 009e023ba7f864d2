#pragma once
// The Record screen: the kit plays as in Free Play while every strike is
// time-stamped from the first controller button pressed (the recorder hears
// the instrument while the screen is shown). Enter hands the performance to
// the save name entry (or, before any press, returns to the menu); Escape
// throws it away; Space toggles the metronome, which stops when the screen
// is left.
#include "backline/controls/metronome.h"
#include "backline/pads/instrument.h"
#include "backline/pads/sample_bank.h"
#include "backline/recording/recorder.h"
#include "backline/screens/performance.h"
#include "backline/screens/screen_switcher.h"

class Camera;
class ProgramGui;

// What the screen works with; every reference outlives it.
struct RecordServices {
  ProgramGui& gui;
  ScreenSwitcher& screens;
  Camera& camera;
  Metronome& metronome;
  Instrument& instrument;
  const SampleBank& bank;
  Performance& performance;   // where a finished take goes
  const unsigned& kitsShown;  // the kits the drum set shows
};

class RecordScreen final : public Screen {
 public:
  explicit RecordScreen(const RecordServices& services) : m_services(services) {}

  void Enter() override { m_services.instrument.Listen(&m_recorder); }
  void Update(const ScreenFrame& frame) override;
  void Leave() override;
  void ProgramEnds() override { m_services.instrument.StopListening(&m_recorder); }
  bool InstrumentLive() const override { return true; }
  // A kit leaving during a take is let go when it ends: the take keeps its kits.
  bool LetsKitCountChange(bool kitsLeaving) const override { return !(kitsLeaving && m_recorder.started); }

  const Recorder& TakeInProgress() const { return m_recorder; }

 private:
  void Stop();
  void Draw();

  RecordServices m_services;
  Recorder m_recorder;
};
