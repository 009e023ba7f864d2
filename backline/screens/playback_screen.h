#pragma once
// The Playback screen: plays the recording just opened once, with its own
// samples and volumes, on the drum set of the recording's kit count; "DONE"
// once its length has passed. A sample the bank does not hold is logged and
// its pad is silent. Escape returns to the menu; leaving frees the events,
// puts the user's samples back into the sound slots and the drum set back to
// the kits in use. The user's pad assignment and volumes are never changed.
// M writes the recording as a Standard MIDI File beside it
// (recordings/<name>.mid, midi_export.h), whole or not at all: the screen
// names the file written, a message says why when it could not be. W
// exports it as a WAV file in the background.
#include <string>

#include "backline/pads/instrument.h"
#include "backline/pads/sample_bank.h"
#include "backline/recording/export_job.h"
#include "backline/recording/player.h"
#include "backline/screens/performance.h"
#include "backline/screens/screen_switcher.h"
#include "backline/screens/screen_widgets.h"

class Camera;
class DrumSet;

// What the screen works with; every reference outlives it.
struct PlaybackServices {
  ScreenCanvas canvas;
  ScreenSwitcher& screens;
  Camera& camera;
  DrumSet& drumSet;
  Instrument& instrument;
  const SampleBank& bank;
  Performance& performance;   // the recording opened, with its file name
  const unsigned& kitsShown;  // the kits in use
};

class PlaybackScreen final : public Screen {
 public:
  explicit PlaybackScreen(const PlaybackServices& services) : m_services(services) {}

  void Update(const ScreenFrame& frame) override;
  void Leave() override;
  bool NeedsFullFrameRate() const override { return true; }
  bool LetsKitCountChange(bool) const override { return false; }

  const Player& PlayerState() const { return m_player; }
  ExportJob& Export() { return m_exportJob; }

 private:
  void Begin();
  std::string RecordingPath() const;
  std::string BesideRecording(const char* extension) const;
  void ExportMidi();
  std::string MidiStatus() const;
  void Draw(uint32_t elapsed);

  PlaybackServices m_services;
  Player m_player;
  ExportJob m_exportJob;
  std::string m_midiFile;  // the MIDI file the recording was written to, "" when none was
};
