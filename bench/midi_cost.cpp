// What sending every strike as MIDI costs the input thread's hit path: the
// nanoseconds of one strike (a key press and its release through StrikePath,
// the silent sound back end behind it) with the MIDI ports as the program
// has them without a sequencer (none), and with a port that takes every
// message and drops it (so the strike pays for choosing the note and
// encoding the note-on and the note-off, all but the sequencer's own call);
// and the encoding of the two messages alone. Each figure is the best of
// five rounds.
//
//   midi_cost [strikes=1000000]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "backline/app/program_settings.h"
#include "backline/common/app_cvars.h"
#include "backline/midi/midi_link.h"
#include "backline/pads/strike_path.h"
#include "backline/sound/sound_backend.h"
#include "backline/sound/sound_backend_silent.h"
#include "basalt/input/key_codes.h"

namespace {

using Clock = std::chrono::steady_clock;

// Takes every message and keeps nothing.
class DroppingPort final : public MidiPort {
 public:
  bool Send(const MidiMessage& message, uint32_t delayMs) override {
    m_sum += message.data1 + delayMs;
    return true;
  }
  bool Receive(MidiMessage*) override { return false; }
  uint64_t Sum() const { return m_sum; }

 private:
  uint64_t m_sum = 0;
};

template <typename Work>
double BestNsPerCall(long calls, Work&& work) {
  double best = 1e30;
  for (int round = 0; round < 5; ++round) {
    const auto start = Clock::now();
    for (long call = 0; call < calls; ++call) work(call);
    best = std::min(
        best, std::chrono::duration<double, std::nano>(Clock::now() - start).count() / static_cast<double>(calls));
  }
  return best;
}

// ns per strike of kit 0's red pad (the key D) through a live hit path with link.
double StrikeNs(long strikes, const MidiLink& link) {
  StrikeTable table;
  PadMap map;
  InitializePadMap(&map, nullptr);
  table.Publish(map, PadAssignment(), PadVolumes(), true);
  StrikePath path(table);
  path.SetMidi(link);
  Basalt::InputEvent press;
  press.code = Basalt::DIK_D;
  const double ns = BestNsPerCall(strikes, [&](long call) {
    press.time = call * Basalt::kNsPerMs;
    press.type = Basalt::InputEvent::KeyDown;
    path.OnInputEvent(press);
    press.type = Basalt::InputEvent::KeyUp;
    path.OnInputEvent(press);
    StrikeReport report;
    path.TakeReport(&report);
  });
  return ns;
}

}  // namespace

int main(int argc, char** argv) {
  RegisterProgramSettings();
  const long strikes = argc > 1 ? std::atol(argv[1]) : 1000000;
  g_soundBackend = SoundBackendSilent();
  const MidiNoteTable notes = MidiNoteTable::FromSettings();
  DroppingPort dropping;
  const double none = StrikeNs(strikes, MidiLink());
  const double noPort = StrikeNs(strikes, MidiLink(nullptr, notes, true));
  const double dropped = StrikeNs(strikes, MidiLink(&dropping, notes, true));
  uint32_t sink = 0;
  const double encoding = BestNsPerCall(strikes, [&](long call) {
    const MidiMessage on = DrumNoteOn(static_cast<uint8_t>(call & 0x7F), 0.5f), off = DrumNoteOff(on.data1);
    sink += on.data2 + off.status;
  });
  std::printf("strikes %ld, best of five rounds, ns per strike (press and release):\n", strikes);
  std::printf("  hit path, no MIDI link set:                        %6.1f\n", none);
  std::printf("  hit path, MIDI link without ports (no sequencer):  %6.1f\n", noPort);
  std::printf("  hit path, MIDI link to a port that drops them:     %6.1f\n", dropped);
  std::printf("  encoding a note-on and its note-off alone:         %6.1f\n", encoding);
  std::printf("(checksums %llu %u)\n", static_cast<unsigned long long>(dropping.Sum()), sink);
  return 0;
}
