#pragma once
// The one application object. It lives on the entry point's stack for the
// whole run and is driven by the engine: Init once, Update once per frame,
// Shutdown before the engine stops. It holds the state every screen shares,
// one plain struct per concern; each screen's handler (backline/screens/)
// reads and writes it. Main thread only.
#include <memory>

#include "backline/app/app_mode.h"
#include "backline/app/menu_keys.h"
#include "backline/app/metronome.h"
#include "backline/app/sway.h"
#include "backline/app/text_entry.h"
#include "backline/net/update_check.h"
#include "backline/pads/instrument.h"
#include "backline/pads/name_list.h"
#include "backline/pads/sample_bank.h"
#include "backline/recording/plr_file.h"
#include "backline/screens/screen_state.h"
#include "basalt/core/iapp.h"

class SceneGraph;
class Camera;
class DrumSet;
class CCTest;
namespace Basalt {
class GUIButton;
}

class GameApp : public Basalt::IApp {
 public:
  static constexpr const char* kVersionText = "version 1.36";
  static constexpr const char* kWindowTitle = "Padlark";
  static constexpr int kMenuButtons = AssignState::kMenuButtons;
  static constexpr unsigned kPanelButtonId = 13;
  static constexpr unsigned kMetronomeButtonId = 14;

  // Fills the version text and writes the default settings file when it is missing.
  GameApp();
  ~GameApp();

  // Start-up: sample bank, sound, scene, default preset, metronome click,
  // GUI, first screen, controllers. False stops the program before its loop:
  // only a sample bank without samples does (a message names the folder).
  // Without any audio device the program runs silently (soundSilent).
  bool Init(Basalt::Core* core) override;
  // One frame: the strikes the kits reported, the current screen, then the
  // work every screen shares. False ends the program.
  bool Update() override;
  // Saves the default preset when the program ends in Assign Mode or its
  // preset dialogs, then releases the scene, the GUI context and the sound
  // device; the engine's services still exist.
  bool Shutdown() override;
  // While the kit plays, a recording plays back or the metronome runs, the
  // pads' and the read-out's flashes keep up with the sound.
  bool NeedsFullFrameRate() const override { return InstrumentLive() || mode == Playback || metronome.on; }

  // The platform callback: names the window. setup is a Basalt::WindowSetup*.
  static unsigned PlatformCallback(void* setup);

  // Hands the input thread's hit path the pads and screen as they stand;
  // every frame does it after its screen.
  void PublishStrikeTable() { instrument.Publish(InstrumentLive()); }

  // Screen-independent state.
  AppMode mode = MainMenu;
  bool quitRequested = false;
  float frameTime = 0.0f;
  unsigned numDrumSets = 1;
  bool soundSilent = false;  // no audio device could be opened: nothing is heard

  SampleBank bank;
  // The pads, what they play and every strike of them; the drum set always
  // listens, the recorder while the Record screen runs.
  Instrument instrument;
  NameList presetNames;  // the load-preset list, rebuilt each time it opens

  MenuKeys menuKeys;
  TextEntry textEntry;
  Metronome metronome;
  Sway sway;
  ScreenState screens;

  // The performance between the recorder, the dialogs and the player.
  plrInfo recording;
  NameList recordingList;
  char playbackName[64] = {};  // the file name of the recording last opened

  UpdateCheckJob updateCheck;

  // The MIDI ports the kits' strikes go out on and notes come in from (null
  // without a sequencer); the input thread uses them while it listens.
  std::unique_ptr<MidiPort> midiPort;

  // The scene (owned by the scene graph) and the GUI (owned by the context).
  std::unique_ptr<SceneGraph> sceneGraph;
  Camera* camera = nullptr;
  DrumSet* drumSet = nullptr;
  std::unique_ptr<CCTest> guiContext;
  Basalt::GUIButton* menuButtons[kMenuButtons] = {};
  Basalt::GUIButton* panelButton = nullptr;
  Basalt::GUIButton* metronomeButton = nullptr;

 private:
  void StartSound();
  bool BuildScene();
  bool BuildGui();
  void ChooseFirstScreen();
  void FindControllers();
  void FollowControllers();
  bool RecordingRunning() const { return mode == Record && screens.recorder.started; }
  void StartMidi();
  void FollowRecorder();
  void RunScreen();
  bool InstrumentLive() const { return mode == FreePlay || mode == Record; }
  void DrawTitles();
  void DrawMetronome();

  bool m_settingsFileReady;          // settings.cfg existed or could be written
  uint32_t m_controllerChanges = 0;  // the input's count when the pad map last read the controllers
};
