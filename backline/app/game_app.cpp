#include "backline/app/game_app.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "backline/app/default_settings.h"
#include "backline/common/app_cvars.h"
#include "backline/gui/program_gui.h"
#include "backline/midi/midi_setup.h"
#include "backline/net/update_preference.h"
#include "backline/pads/layer_file.h"
#include "backline/pads/preset_file.h"
#include "backline/scene/camera.h"
#include "backline/scene/drum_set.h"
#include "backline/scene/scene_graph.h"
#include "backline/screens/assign_mode.h"
#include "backline/screens/free_play.h"
#include "backline/screens/main_menu.h"
#include "backline/screens/playback_screen.h"
#include "backline/screens/preset_dialogs.h"
#include "backline/screens/record_screen.h"
#include "backline/screens/recording_dialogs.h"
#include "backline/screens/screen_widgets.h"
#include "backline/screens/update_screens.h"
#include "backline/sound/sdl/sound_backends_sdl.h"
#include "backline/sound/sound_backend_silent.h"
#include "basalt/core/core.h"
#include "basalt/foundation/log.h"
#include "basalt/graphics/graphics_device.h"
#include "basalt/gui/gui.h"
#include "basalt/input/input.h"
#include "basalt/platform/platform.h"

namespace {

const char kCredit[] = "a drum kit on your desk";

}  // namespace

GameApp::GameApp() : m_settingsFileReady(EnsureSettingsFile()) { SetVersion(kVersionText); }

GameApp::~GameApp() = default;

bool GameApp::Initialize(Basalt::Core* core) {
  if (!Basalt::IApp::Initialize(core)) return false;
  if (!m_settingsFileReady)
    Basalt::LogMessage(
        "Cannot write settings.cfg in the game directory: the settings are the defaults until it can be written");
  std::string bankProblem;
  if (!DiscoverSampleBank(&m_bank, &bankProblem)) {
    Basalt::g_pPlatform->MsgBox(
        "Error", "Failed to find sound bank.\n%s.\nMake sure every folder of the SampleBank directory holds WAV files!",
        bankProblem.c_str());
    return false;
  }
  StartSound();
  if (!BuildScene()) return false;
  LoadDefaultPreset(&m_instrument.pads, m_bank, &m_instrument.volumes);
  std::string layersProblem;
  LoadPresetLayers(kDefaultPresetPath, m_bank, &m_instrument.layers, &layersProblem);
  g_soundBackend.LoadSample(kMetronomeSoundSlot, "met.wav");
  Basalt::g_pGraphics->SetRenderState(Basalt::IGraphicsDevice::RS_ALPHA_BLEND, 1, true);
  if (!BuildGui()) return false;
  BuildScreens();
  FindControllers();
  PublishStrikeTable();
  StartMidi();
  if (Basalt::g_pInput) Basalt::g_pInput->SetListener(m_instrument.InputListener());
  return true;
}

void GameApp::StartMidi() {
  m_midiPort = OpenMidiPorts();
  m_instrument.SetMidi(MidiLink(m_midiPort.get(), MidiNoteTable::FromSettings(), g_midiOut != 0));
}

void GameApp::StartSound() {
  Basalt::LogMessage("Initializing Sound...");
  m_soundSilent = !SelectSoundBackend();
  if (m_soundSilent) {
    g_soundBackend = SoundBackendSilent();
    Basalt::LogMessage("No audio device could be opened (see the lines above): Padlark runs silently");
    return;
  }
  Basalt::LogMessage("Sound Initialized!");
}

bool GameApp::BuildScene() {
  const int kits = Basalt::g_pInput ? Basalt::g_pInput->NumDrums() : 0;
  Basalt::LogMessage("%d drumsets found!", kits);
  m_kitsShown = kits > 0 ? static_cast<unsigned>(kits) : 1;
  m_sceneGraph = std::make_unique<SceneGraph>();
  m_sceneGraph->Initialize();
  GetCore()->SetSceneGraph(m_sceneGraph.get());
  m_camera = m_sceneGraph->CreateObject<Camera>("camera", nullptr);
  m_camera->Initialize();
  m_camera->position = {0.0f, 3.0f, -100.0f};
  m_sceneGraph->SetCamera(m_camera);
  m_drumSet = m_sceneGraph->CreateObject<DrumSet>("DrumSet", nullptr);
  m_drumSet->SetKitCount(m_kitsShown);
  m_drumSet->position = {0.0f, 0.0f, 0.0f};
  m_instrument.Listen(m_drumSet);
  return true;
}

bool GameApp::BuildGui() {
  m_gui = std::make_unique<ProgramGui>();
  if (!m_gui->Initialize()) return false;
  Basalt::g_pGUI->NewContext(m_gui.get());
  // The root box, transparent and never moved: moving a box moves its children.
  NewBox(*m_gui);
  // The boxes made later draw first: the assign buttons over the panel, the
  // screens' own boxes (made with the screens) under it.
  m_assignButtons = std::make_unique<AssignButtons>(*m_gui);
  m_panel = &NewBox(*m_gui);
  m_metronomeBox = &NewBox(*m_gui);
  return true;
}

void GameApp::BuildScreens() {
  const ScreenCanvas canvas{*m_gui, *m_panel};
  const AssignServices assign{canvas, m_screens, m_instrument, m_bank, m_textEntry, *m_assignButtons};
  m_screens.Add(MainMenu, std::make_unique<MainMenuScreen>(MainMenuServices{canvas, m_screens, *m_camera, m_sway,
                                                                            m_metronome, m_kitsShown, m_soundSilent}));
  m_screens.Add(FreePlay, std::make_unique<FreePlayScreen>(canvas, m_screens, *m_camera, m_sway, m_metronome,
                                                           m_instrument.padMap, m_kitsShown));
  m_screens.Add(Record,
                std::make_unique<RecordScreen>(RecordServices{*m_gui, m_screens, *m_camera, m_metronome, m_instrument,
                                                              m_bank, m_performance, m_kitsShown}));
  m_screens.Add(SaveRecordingName,
                std::make_unique<SaveRecordingScreen>(canvas, m_screens, m_textEntry, m_performance));
  m_screens.Add(OpenRecording, std::make_unique<OpenRecordingScreen>(canvas, m_screens, m_textEntry, m_performance));
  m_screens.Add(Playback,
                std::make_unique<PlaybackScreen>(PlaybackServices{canvas, m_screens, *m_camera, *m_drumSet,
                                                                  m_instrument, m_bank, m_performance, m_kitsShown}));
  m_screens.Add(Assign, std::make_unique<AssignScreen>(assign, *m_camera, m_sway, m_kitsShown));
  m_screens.Add(PresetMenu, std::make_unique<PresetMenuScreen>(assign));
  m_screens.Add(LoadPresetList, std::make_unique<LoadPresetScreen>(assign));
  m_screens.Add(SavePresetName, std::make_unique<SavePresetScreen>(assign));
  m_screens.Add(UpdatePrompt, std::make_unique<UpdatePromptScreen>(canvas, m_screens));
  m_screens.Add(UpdateCheck, std::make_unique<UpdateCheckScreen>(canvas, m_screens, GetVersion()));
  m_screens.Add(UpdateAvailable, std::make_unique<UpdateAvailableScreen>(canvas, m_screens));
  m_screens.Start(FirstScreen());
}

ScreenId GameApp::FirstScreen() const {
  if (g_noUpdateCheck) return MainMenu;
  switch (ReadUpdatePreference()) {
    case UpdatePreference::Ask:
      return UpdatePrompt;
    case UpdatePreference::Check:
      return UpdateCheck;
    case UpdatePreference::Never:
      break;
  }
  return MainMenu;
}

void GameApp::FindControllers() {
  InitializePadMap(&m_instrument.padMap, Basalt::g_pInput);
  if (Basalt::g_pInput) m_controllerChanges = Basalt::g_pInput->ControllerChanges();
  if (m_instrument.padMap.numControllers >= 1) return;
  Basalt::g_pPlatform->MsgBox("Drums not found",
                              "Rock Band drum kit not found!\n\nMake sure the drums are connected,\nand that your user "
                              "may read them (/dev/input/event*).\n\nYou may continue to run this app: a kit plugged "
                              "in later plays at once.");
  Basalt::LogMessage("JoystickInitialize failed! Rock Band drum kit not found!");
}

// A controller plugged in or out while the program runs: the pads follow at
// once, and the drum set shows the kits in use (at least one), unless the
// screen holds the kits it shows (a take keeps its kits until it ends,
// playback shows the recording's).
void GameApp::FollowControllers() {
  const Input* input = Basalt::g_pInput;
  if (!input) return;
  if (input->ControllerChanges() != m_controllerChanges) {
    m_controllerChanges = input->ControllerChanges();
    ReadControllerKinds(&m_instrument.padMap, input);
  }
  const auto kits = static_cast<unsigned>(std::max(input->NumDrums(), 1));
  if (kits == m_kitsShown || !m_screens.Current().LetsKitCountChange(kits < m_kitsShown)) return;
  m_kitsShown = kits;
  m_drumSet->SetKitCount(m_kitsShown);
  Basalt::LogMessage("%u drumsets in use", m_kitsShown);
}

bool GameApp::InstrumentLive() const { return m_screens.Started() && m_screens.Current().InstrumentLive(); }

bool GameApp::NeedsFullFrameRate() const {
  return (m_screens.Started() && m_screens.Current().NeedsFullFrameRate()) || m_metronome.on;
}

void GameApp::PublishStrikeTable() { m_instrument.Publish(InstrumentLive()); }

bool GameApp::Update() {
  m_frameTime = GetCore()->GetTimeKey();
  FollowControllers();
  m_instrument.CollectStrikes();
  m_screens.Update(ScreenFrame{m_menuKeys, m_frameTime});
  // After the screen, so that a change of screen or of the pads reaches the kit at once.
  PublishStrikeTable();
  g_soundBackend.UpdateSound();
  m_menuKeys.padsPlay = InstrumentLive();
  PollMenuKeys(&m_menuKeys, Basalt::g_pInput, m_frameTime);
  if (m_textEntry.active) PollTextEntryKeys(&m_textEntry, Basalt::g_pInput);
  m_drumSet->rotation.y = SwayRotation(m_sway);
  DrawTitles();
  DrawMetronome();
  return !m_screens.QuitRequested();
}

void GameApp::DrawTitles() {
  const unsigned width = Basalt::g_pGUI->GetScreenWidth(), height = Basalt::g_pGUI->GetScreenHeight();
  m_gui->DrawText(5, width / 2 - 90, 40, 0xFFFFFF20, "Padlark");
  m_gui->DrawText(4, width / 2 - 90, 60, 0x60FFFFFF, "RockBand drums on your PC");
  m_gui->DrawText(0, width - 180, height - 32, 0x40FFFFFF, "%s", kCredit);
  m_gui->DrawText(0, width - 90, height - 20, 0x40FFFFFF, "%s", GetVersion());
}

// The read-out box fades in while the metronome runs and flashes green on
// each click; the tempo keys and the clicks are the metronome's own.
void GameApp::DrawMetronome() {
  UpdateMetronome(&m_metronome, Basalt::g_pInput, m_frameTime);
  if (!m_metronome.on) {
    SetBoxOpacity(m_metronomeBox, 0.0f);
    return;
  }
  ShowBox(m_metronomeBox, 20, 40, 100, 50, m_metronome.opacity, 0.5f, m_metronome.flash + 0.5f, 1.0f);
  m_gui->DrawText(0, 20, 35, 0x70FFFFFF, "Metronome BPM");
  m_gui->DrawText(2, 40, 78, TempoColour(m_metronome), "%d", m_metronome.bpm);
}

bool GameApp::Shutdown() {
  if (m_screens.Started()) m_screens.Current().ProgramEnds();
  if (Basalt::g_pInput) Basalt::g_pInput->SetListener(nullptr);
  m_instrument.SetMidi(MidiLink());
  m_instrument.StopListening(m_drumSet);
  m_midiPort.reset();
  if (m_sceneGraph) m_sceneGraph->Shutdown();
  m_sceneGraph.reset();
  m_camera = nullptr;
  m_drumSet = nullptr;
  if (m_gui) m_gui->Shutdown();
  m_gui.reset();
  if (g_soundBackend.Shutdown) g_soundBackend.Shutdown();
  return true;
}

unsigned GameApp::PlatformCallback(void* setup) {
  auto* window = static_cast<Basalt::WindowSetup*>(setup);
  std::strncpy(window->title, kWindowTitle, Basalt::WindowSetup::kTitleCapacity - 1);
  window->title[Basalt::WindowSetup::kTitleCapacity - 1] = '\0';
  return 0;
}
