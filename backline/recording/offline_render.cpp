#include "backline/recording/offline_render.h"

#include <cassert>
#include <memory>
#include <string>

#include "backline/pads/layer_file.h"
#include "backline/recording/player.h"
#include "backline/sound/sound_backend.h"
#include "backline/sound/sound_backend_voices.h"

namespace {

using Basalt::TimeNs;

// Frames rendered at a time: a device period of 5 ms.
constexpr int kBlockFrames = 240;
// The clock of the render: the instant of the recording's time 0.
constexpr TimeNs kStartTime = Basalt::kNsPerSecond;

TimeNs TimeOfFrame(int64_t frame) {
  return kStartTime + frame / VoiceEngine::kMixRate * Basalt::kNsPerSecond +
         frame % VoiceEngine::kMixRate * Basalt::kNsPerSecond / VoiceEngine::kMixRate;
}

bool AnyVoicePlaying(const VoiceEngine& engine) {
  for (int record = 0; record < VoiceEngine::kVoiceRecords; ++record)
    if (engine.GetVoice(record).state == VoiceEngine::kPlaying) return true;
  return false;
}

// Whether every event is past: handed over, due and started.
bool EventsDone(const Recording& recording, const Player& player, TimeNs now) {
  for (int slot = 0; slot < kPlrPadSlots; ++slot)
    if (static_cast<size_t>(player.shown.next[slot]) < recording.tracks[slot].size()) return false;
  return now > player.startTime + recording.length * Basalt::kNsPerMs;
}

// The voices back end as the render's, put back as it was when done.
class BackendSwap {
 public:
  BackendSwap() : m_saved(g_soundBackend) { g_soundBackend = SoundBackendVoices(); }
  ~BackendSwap() {
    GetVoiceEngine().ReleaseAll();
    g_soundBackend = m_saved;
  }
  BackendSwap(const BackendSwap&) = delete;
  BackendSwap& operator=(const BackendSwap&) = delete;

 private:
  SoundBackend m_saved;
};

}  // namespace

bool RenderRecording(const RenderSource& source, const RenderSink& sink) {
  VoiceEngine& engine = GetVoiceEngine();
  assert(!engine.HasOutput() && "an offline render needs the voice engine without its output");
  const Recording& recording = source.recording;
  const BackendSwap swap;
  auto player = std::make_unique<Player>();
  player->pads = RecordingPads(recording, source.bank);
  LogMissingSamples(player->pads, source.name);
  SwitchPadSounds(PadAssignment(), player->pads, source.bank);
  auto layers = std::make_unique<VelocityLayers>();
  std::string damaged;
  if (source.layersPreset) LoadPresetLayers(source.layersPreset, source.bank, layers.get(), &damaged);
  ApplyRecordingVolumes(recording, &player->volumes);
  player->startTime = kStartTime;
  player->started = true;
  engine.SetLatencyFrames(0);
  engine.ResetOutput();
  auto strikes = std::make_unique<FrameStrikes>();
  float block[2 * kBlockFrames];
  // Mixes frames frames from the mix frame `first` on (frame 0: the recording's time 0).
  const auto renderBlock = [&](int64_t first, int frames) {
    const TimeNs now = TimeOfFrame(first);
    strikes->Clear();
    PlayDueEvents(player.get(), recording, now, {player->pads, player->volumes, *layers}, strikes.get());
    engine.Render(block, frames, 2, now);
    return now;
  };
  // What comes out first is the limiter's lookahead, silence from before time 0.
  renderBlock(0, VoiceEngine::kMinLatencyFrames);
  int64_t frame = VoiceEngine::kMinLatencyFrames;
  int tailFrames = VoiceEngine::kMinLatencyFrames;  // what the limiter still holds once all is silent
  while (tailFrames > 0) {
    const TimeNs now = renderBlock(frame, kBlockFrames);
    if (!sink(block, kBlockFrames)) return false;
    frame += kBlockFrames;
    if (EventsDone(recording, *player, now) && !AnyVoicePlaying(engine)) tailFrames -= kBlockFrames;
  }
  return true;
}
