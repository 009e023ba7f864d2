#include "backline/app/game_app.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "backline/app/default_settings.h"
#include "backline/common/app_cvars.h"
#include "backline/gui/cctest.h"
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
#include "backline/sound/sound_backend.h"
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

bool GameApp::Init(Basalt::Core* core) {
  if (!Basalt::IApp::Init(core)) return false;
  if (!m_settingsFileReady)
    Basalt::LogMessage(
        "Cannot write settings.cfg in the game directory: the settings are the defaults until it can be written");
  std::string bankProblem;
  if (!DiscoverSampleBank(&bank, &bankProblem)) {
    Basalt::g_pPlatform->MsgBox(
        "Error", "Failed to find sound bank.\n%s.\nMake sure every folder of the SampleBank directory holds WAV files!",
        bankProblem.c_str());
    return false;
  }
  StartSound();
  if (!BuildScene()) return false;
  LoadDefaultPreset(&instrument.pads, bank, &instrument.volumes);
  std::string layersProblem;
  LoadPresetLayers(kDefaultPresetPath, bank, &instrument.layers, &layersProblem);
  g_soundBackend.LoadSample(kMetronomeSoundSlot, "met.wav");
  Basalt::g_pGraphics->SetRenderState(Basalt::IGraphicsDevice::RS_ALPHA_BLEND, 1, true);
  if (!BuildGui()) return false;
  ChooseFirstScreen();
  FindControllers();
  PublishStrikeTable();
  StartMidi();
  if (Basalt::g_pInput) Basalt::g_pInput->SetListener(instrument.InputListener());
  return true;
}

void GameApp::StartMidi() {
  midiPort = OpenMidiPorts();
  instrument.SetMidi(MidiLink(midiPort.get(), MidiNoteTable::FromSettings(), g_midiOut != 0));
}

void GameApp::StartSound() {
  Basalt::LogMessage("Initializing Sound...");
  soundSilent = !SelectSoundBackend();
  if (soundSilent) {
    g_soundBackend = SoundBackendSilent();
    Basalt::LogMessage("No audio device could be opened (see the lines above): Padlark runs silently");
    return;
  }
  Basalt::LogMessage("Sound Initialized!");
}

bool GameApp::BuildScene() {
  const int kits = Basalt::g_pInput ? Basalt::g_pInput->NumDrums() : 0;
  Basalt::LogMessage("%d drumsets found!", kits);
  numDrumSets = kits > 0 ? static_cast<unsigned>(kits) : 1;
  sceneGraph = std::make_unique<SceneGraph>();
  sceneGraph->Initialize();
  GetCore()->SetSceneGraph(sceneGraph.get());
  camera = sceneGraph->CreateObject<Camera>("camera", nullptr);
  camera->Initialize();
  camera->position = {0.0f, 3.0f, -100.0f};
  sceneGraph->SetCamera(camera);
  drumSet = sceneGraph->CreateObject<DrumSet>("DrumSet", nullptr);
  drumSet->SetKitCount(numDrumSets);
  drumSet->position = {0.0f, 0.0f, 0.0f};
  instrument.Listen(drumSet);
  return true;
}

bool GameApp::BuildGui() {
  guiContext = std::make_unique<CCTest>();
  if (!guiContext->Initialize()) return false;
  Basalt::g_pGUI->NewContext(guiContext.get());
  for (int i = 0; i < kMenuButtons; ++i) {
    Basalt::GUIButton* button = guiContext->CreateButton(static_cast<unsigned>(i + 1), 0);
    button->SendMessageA(Basalt::GUI_HIDE);
    button->SendMessageA(Basalt::GUIMessage::WithInts(Basalt::GUI_SET_FONT, 1, 0));
    button->SetSize(200, 30);
    button->SetColour(0.0f, 1.0f, 1.0f, 1.0f);
    menuButtons[i] = button;
  }
  panelButton = guiContext->CreateButton(kPanelButtonId, 0);
  metronomeButton = guiContext->CreateButton(kMetronomeButtonId, 0);
  for (Basalt::GUIButton* box : {panelButton, metronomeButton}) box->SendMessageA(Basalt::GUIMessage::Caption(""));
  SetBoxOpacity(metronomeButton, 0.0f);
  return true;
}

void GameApp::ChooseFirstScreen() {
  if (g_noUpdateCheck) return;
  switch (ReadUpdatePreference()) {
    case UpdatePreference::Ask:
      mode = UpdatePrompt;
      break;
    case UpdatePreference::Check:
      mode = UpdateCheck;
      break;
    case UpdatePreference::Never:
      break;
  }
}

void GameApp::FindControllers() {
  InitPadMap(&instrument.padMap, Basalt::g_pInput);
  if (Basalt::g_pInput) m_controllerChanges = Basalt::g_pInput->ControllerChanges();
  if (instrument.padMap.numControllers >= 1) return;
  Basalt::g_pPlatform->MsgBox("Drums not found",
                              "Rock Band drum kit not found!\n\nMake sure the drums are connected,\nand that your user "
                              "may read them (/dev/input/event*).\n\nYou may continue to run this app: a kit plugged "
                              "in later plays at once.");
  Basalt::LogMessage("JoystickInitialize failed! Rock Band drum kit not found!");
}

// A controller plugged in or out while the program runs: the pads follow at
// once, and the drum set shows the kits in use (at least one), except that a
// kit leaving during a recording is let go when the recording ends (the take
// keeps its kits) and playback shows the recording's kits until it ends.
void GameApp::FollowControllers() {
  const CInput* input = Basalt::g_pInput;
  if (!input) return;
  if (input->ControllerChanges() != m_controllerChanges) {
    m_controllerChanges = input->ControllerChanges();
    ReadControllerKinds(&instrument.padMap, input);
  }
  const auto kits = static_cast<unsigned>(std::max(input->NumDrums(), 1));
  if (kits == numDrumSets || mode == Playback || (kits < numDrumSets && RecordingRunning())) return;
  numDrumSets = kits;
  drumSet->SetKitCount(numDrumSets);
  Basalt::LogMessage("%u drumsets in use", numDrumSets);
}

bool GameApp::Update() {
  frameTime = GetCore()->GetTimeKey();
  FollowControllers();
  FollowRecorder();
  instrument.CollectStrikes();
  RunScreen();
  // After the screen, so that a change of screen or of the pads reaches the kit at once.
  PublishStrikeTable();
  g_soundBackend.UpdateSound();
  menuKeys.padsPlay = InstrumentLive();
  PollMenuKeys(&menuKeys, Basalt::g_pInput, frameTime);
  if (textEntry.active) PollTextEntryKeys(&textEntry, Basalt::g_pInput);
  drumSet->rotation.y = SwayRotation(sway);
  DrawTitles();
  DrawMetronome();
  return !quitRequested;
}

// The recorder hears the strikes of the frames the Record screen runs, and
// of no other.
void GameApp::FollowRecorder() {
  if (mode == Record)
    instrument.Listen(&screens.recorder);
  else
    instrument.StopListening(&screens.recorder);
}

void GameApp::RunScreen() {
  switch (mode) {
    case FreePlay:
      UpdateFreePlay(*this);
      break;
    case Record:
      UpdateRecordScreen(*this);
      break;
    case Playback:
      UpdatePlaybackScreen(*this);
      break;
    case Assign:
      UpdateAssignMode(*this);
      break;
    case PresetMenu:
      UpdatePresetMenu(*this);
      break;
    case MainMenu:
      UpdateMainMenu(*this);
      break;
    case UpdateAvailable:
      UpdateAvailableScreen(*this);
      break;
    case UpdatePrompt:
      UpdatePromptScreen(*this);
      break;
    case UpdateCheck:
      UpdateCheckScreen(*this);
      break;
    case SaveRecordingName:
      UpdateSaveRecordingScreen(*this);
      break;
    case OpenRecording:
      UpdateOpenRecordingScreen(*this);
      break;
    case LoadPresetList:
      UpdateLoadPresetList(*this);
      break;
    case SavePresetName:
      UpdateSavePresetName(*this);
      break;
    default:
      break;  // screens still to come run only the shared steps
  }
}

void GameApp::DrawTitles() {
  const unsigned width = Basalt::g_pGUI->GetScreenWidth(), height = Basalt::g_pGUI->GetScreenHeight();
  guiContext->DrawTextA(5, width / 2 - 90, 40, 0xFFFFFF20, "Padlark");
  guiContext->DrawTextA(4, width / 2 - 90, 60, 0x60FFFFFF, "RockBand drums on your PC");
  guiContext->DrawTextA(0, width - 180, height - 32, 0x40FFFFFF, "%s", kCredit);
  guiContext->DrawTextA(0, width - 90, height - 20, 0x40FFFFFF, "%s", GetVersion());
}

// The read-out box fades in while the metronome runs and flashes green on
// each click; the tempo keys and the clicks are the metronome's own.
void GameApp::DrawMetronome() {
  UpdateMetronome(&metronome, Basalt::g_pInput, frameTime);
  if (!metronome.on) {
    SetBoxOpacity(metronomeButton, 0.0f);
    return;
  }
  ShowBox(metronomeButton, 20, 40, 100, 50, metronome.opacity, 0.5f, metronome.flash + 0.5f, 1.0f);
  guiContext->DrawTextA(0, 20, 35, 0x70FFFFFF, "Metronome BPM");
  guiContext->DrawTextA(2, 40, 78, TempoColour(metronome), "%d", metronome.bpm);
}

bool GameApp::Shutdown() {
  if (InAssignScreens(mode)) SaveAssignedPreset(*this, kDefaultPresetPath);  // the window closed in Assign Mode
  if (Basalt::g_pInput) Basalt::g_pInput->SetListener(nullptr);
  instrument.SetMidi(MidiLink());
  instrument.StopListening(drumSet);
  instrument.StopListening(&screens.recorder);
  midiPort.reset();
  if (sceneGraph) sceneGraph->Shutdown();
  sceneGraph.reset();
  camera = nullptr;
  drumSet = nullptr;
  if (guiContext) guiContext->Shutdown();
  guiContext.reset();
  if (g_soundBackend.Shutdown) g_soundBackend.Shutdown();
  return true;
}

unsigned GameApp::PlatformCallback(void* setup) {
  auto* window = static_cast<Basalt::WindowSetup*>(setup);
  std::strncpy(window->title, kWindowTitle, Basalt::WindowSetup::kTitleCapacity - 1);
  window->title[Basalt::WindowSetup::kTitleCapacity - 1] = '\0';
  return 0;
}
