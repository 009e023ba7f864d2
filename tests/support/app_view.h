#pragma once
// What the tests and benchmarks see of the running program: references to
// the services GameApp wires and to what its screens remember, under the
// names the checks read. Built after GameApp::Initialize; valid until the program
// shuts down. Main thread, between frames.
#include <array>
#include <memory>

#include "backline/app/game_app.h"
#include "backline/gui/program_gui.h"
#include "backline/screens/assign_mode.h"
#include "backline/screens/main_menu.h"
#include "backline/screens/playback_screen.h"
#include "backline/screens/preset_dialogs.h"
#include "backline/screens/record_screen.h"
#include "backline/screens/recording_dialogs.h"

class AppView {
 public:
  // The current screen; assigning switches to another at once (Leave, Enter),
  // as if a screen had asked for it.
  class Mode {
   public:
    explicit Mode(ScreenSwitcher& screens) : m_screens(screens) {}
    operator ScreenId() const { return m_screens.CurrentId(); }
    Mode& operator=(ScreenId id) {
      m_screens.SwitchTo(id);
      m_screens.Apply();
      return *this;
    }

   private:
    ScreenSwitcher& m_screens;
  };

  // What the screens remember.
  struct Screens {
    MainMenuState& mainMenu;
    AssignState& assign;
    const PickerState& picker;
    PresetMenuScreen::State& presetMenu;
    ListDialogState& presetList;
    const Recorder& recorder;
    const Player& player;
    ExportJob& exportJob;
  };

  explicit AppView(GameApp& app)
      : mode(app.m_screens),
        instrument(app.m_instrument),
        bank(app.m_bank),
        camera(app.m_camera),
        drumSet(app.m_drumSet),
        numDrumSets(app.m_kitsShown),
        metronome(app.m_metronome),
        sway(app.m_sway),
        menuKeys(app.m_menuKeys),
        textEntry(app.m_textEntry),
        recording(app.m_performance.recording),
        playbackName(app.m_performance.fileName),
        frameTime(app.m_frameTime),
        soundSilent(app.m_soundSilent),
        midiPort(app.m_midiPort),
        panelButton(app.m_panel),
        assignButtons(*app.m_assignButtons),
        recordingList(Get<OpenRecordingScreen>(app, OpenRecording).Names()),
        screens{Get<MainMenuScreen>(app, MainMenu).State(),
                Get<AssignScreen>(app, Assign).State(),
                Get<AssignScreen>(app, Assign).Picker(),
                Get<PresetMenuScreen>(app, PresetMenu).MenuState(),
                Get<LoadPresetScreen>(app, LoadPresetList).ListState(),
                Get<RecordScreen>(app, Record).TakeInProgress(),
                Get<PlaybackScreen>(app, Playback).PlayerState(),
                Get<PlaybackScreen>(app, Playback).Export()},
        m_app(app) {
    for (int i = 0; i < kAssignButtons; ++i) menuButtons[i] = &assignButtons.Button(i);
  }

  bool QuitRequested() const { return m_app.m_screens.QuitRequested(); }
  const char* GetVersion() const { return m_app.GetVersion(); }

  Mode mode;
  Instrument& instrument;
  SampleBank& bank;
  Camera*& camera;
  DrumSet*& drumSet;
  unsigned& numDrumSets;
  Metronome& metronome;
  Sway& sway;
  MenuKeys& menuKeys;
  TextEntry& textEntry;
  Recording& recording;
  char (&playbackName)[Performance::kFileNameCapacity];
  float& frameTime;
  bool& soundSilent;
  std::unique_ptr<MidiPort>& midiPort;
  Basalt::GUIButton*& panelButton;
  AssignButtons& assignButtons;
  // The assign screens' buttons by index (assign_buttons.h).
  std::array<Basalt::GUIButton*, kAssignButtons> menuButtons{};
  const NameList& recordingList;
  Screens screens;

 private:
  template <typename ScreenType>
  static ScreenType& Get(GameApp& app, ScreenId id) {
    return static_cast<ScreenType&>(app.m_screens.Get(id));
  }

  GameApp& m_app;
};
