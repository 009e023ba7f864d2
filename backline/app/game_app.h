#pragma once
// The program's wiring. It lives on the entry point's stack for the whole
// run and is driven by the engine: Initialize once, Update once per frame,
// Shutdown before the engine stops. Initialize builds the services (sample bank,
// sound, instrument, scene, GUI, MIDI) and the screens, handing each screen
// the services it uses; Update runs the frame. Nothing of it is public but
// what the engine calls. Main thread only.
#include <memory>

#include "backline/controls/menu_keys.h"
#include "backline/controls/metronome.h"
#include "backline/scene/sway.h"
#include "backline/controls/text_entry.h"
#include "backline/pads/instrument.h"
#include "backline/pads/sample_bank.h"
#include "backline/screens/performance.h"
#include "backline/screens/screen_switcher.h"
#include "basalt/core/iapp.h"

class SceneGraph;
class Camera;
class DrumSet;
class ProgramGui;
class AssignButtons;
namespace Basalt {
class GUIButton;
}
class AppView;  // what the tests see of the program

class GameApp : public Basalt::IApp {
 public:
  static constexpr const char* kVersionText = "version 1.36";
  static constexpr const char* kWindowTitle = "Padlark";

  // Fills the version text and writes the default settings file when it is missing.
  GameApp();
  ~GameApp();

  // Start-up: sample bank, sound, scene, default preset, metronome click,
  // GUI, screens, first screen, controllers. False stops the program before
  // its loop: only a sample bank without samples does (a message names the
  // folder). Without any audio device the program runs silently.
  bool Initialize(Basalt::Core* core) override;
  // One frame: the strikes the kits reported, the current screen (and the
  // switch to the screen it asked for), then the work every screen shares.
  // False ends the program.
  bool Update() override;
  // Tells the current screen the program ends (the assign screens save the
  // default preset), then releases the scene, the GUI context and the sound
  // device; the engine's services still exist.
  bool Shutdown() override;
  // While the kit plays, a recording plays back or the metronome runs, the
  // pads' and the read-out's flashes keep up with the sound.
  bool NeedsFullFrameRate() const override;

  // The platform callback: names the window. setup is a Basalt::WindowSetup*.
  static unsigned PlatformCallback(void* setup);

  // Hands the input thread's hit path the pads and screen as they stand;
  // every frame does it after its screen.
  void PublishStrikeTable();

 private:
  friend class AppView;

  void StartSound();
  bool BuildScene();
  bool BuildGui();
  void BuildScreens();
  ScreenId FirstScreen() const;
  void FindControllers();
  void FollowControllers();
  void StartMidi();
  bool InstrumentLive() const;
  void DrawTitles();
  void DrawMetronome();

  bool m_settingsFileReady;          // settings.cfg existed or could be written
  uint32_t m_controllerChanges = 0;  // the input's count when the pad map last read the controllers
  float m_frameTime = 0.0f;
  unsigned m_kitsShown = 1;    // the kits the drum set shows
  bool m_soundSilent = false;  // no audio device could be opened: nothing is heard

  SampleBank m_bank;
  // The pads, what they play and every strike of them; the drum set always
  // listens, the recorder while the Record screen is shown.
  Instrument m_instrument;
  MenuKeys m_menuKeys;
  TextEntry m_textEntry;
  Metronome m_metronome;
  Sway m_sway;
  Performance m_performance;

  // The MIDI ports the kits' strikes go out on and notes come in from (null
  // without a sequencer); the input thread uses them while it listens.
  std::unique_ptr<MidiPort> m_midiPort;

  // The scene (owned by the scene graph) and the GUI (owned by the context).
  std::unique_ptr<SceneGraph> m_sceneGraph;
  Camera* m_camera = nullptr;
  DrumSet* m_drumSet = nullptr;
  std::unique_ptr<ProgramGui> m_gui;
  Basalt::GUIButton* m_panel = nullptr;  // the dialogs' backdrop
  Basalt::GUIButton* m_metronomeBox = nullptr;
  std::unique_ptr<AssignButtons> m_assignButtons;

  // Built last, so destroyed first: the screens hold references to the above.
  ScreenSwitcher m_screens;
};
