#pragma once
// The hit path of the kits and the keys, on the input thread: every press of
// a kit's pad button or pedal, or of A S D F X (kit 0's buttons 0..4), is
// turned at once into a note for the audio thread, stamped with the time the
// press was seen, and reported to the main thread (flash, recorder) through
// a lock-free queue. Nothing waits for a frame.
//
// What sounds: the pad slot the button maps to, its secondary sample while a
// bass pedal whose function enables secondaries is held (on either kit) and
// the pad has one, else its primary, at the pad's volume shaped by the
// strike's strength (velocity_curve.h) with a random pitch spread; a pad
// sound with velocity layers plays the layer the strike's velocity falls in
// (StrikeTable::SoundSlotFor). A kit's press carries its strength
// (Basalt::InputEvent::velocity); a key strikes at full strength. Such a
// modifier pedal sounds its primary when pressed and is
// reported when released too, so a recording keeps how long it was held.
// Every press is one strike (two presses between two frames are two); with
// g_usePollMethod a held pad sounds again every g_hitDelayThreshold ms, at the
// strength of its press, and the pedals never repeat. Strikes sound and are reported only while the table
// says the instrument is live; the pedals' held state is kept always.
//
// MIDI (backline/midi): every strike of a kit or a key also goes out as the
// note of the pad sound it played (MidiLink::SendStrike). A note-on that
// came in is read at the next poll and strikes the pad of its note as the
// kit's button of that pad would, at the note's velocity and stamped with
// the poll's time: its secondary while a modifier pedal is held, reported
// and so recorded like any strike, and only on a kit that plays. It is not
// sent out again, so connecting the output to the input never loops. A note
// of a modifier pedal's pad sounds its primary and is reported as a press
// and a release at once: MIDI holds no pedal down.
//
// Threads: OnInputEvent and OnInputPoll on the input thread (Input's
// listener); TakeReport on the main thread; SecondariesHeld on any; SetMidi
// on the main thread before the path becomes the listener. Nothing on the
// input thread's path allocates, locks or touches a file.
#include <atomic>
#include <cstdint>

#include "backline/midi/midi_link.h"
#include "backline/pads/strike_table.h"
#include "basalt/input/input_event.h"
#include "basalt/util/spsc_queue.h"

// The keys that strike kit 0's buttons 0..4: A, S, D, F, X.
extern const unsigned char kKitKeys[kPadButtons];

// One strike, or the release of a modifier pedal, as the main thread learns of it.
struct StrikeReport {
  enum Kind : uint8_t { Strike, ModifierReleased };
  Kind kind = Strike;
  int kit = 0, button = 0, padSlot = 0;
  bool secondary = false;  // a strike's sound slot is the pad slot's secondary
  Basalt::TimeNs time = 0;
  float velocity = 1.0f;  // a strike's strength as the kit reported it, 0..1; 1 for a release
};

class StrikePath final : public Basalt::IInputListener {
 public:
  static constexpr size_t kReportCapacity = 1024;

  // table (not owned) must outlive the path.
  explicit StrikePath(const StrikeTable& table);

  // Main thread, while the path is no input listener: the MIDI ports its
  // strikes go out on and its notes come in from (none until set).
  void SetMidi(const MidiLink& link) { m_midi = link; }

  void OnInputEvent(const Basalt::InputEvent& event) override;
  void OnInputPoll(Basalt::TimeNs now) override;

  // Main thread: the oldest report not yet taken; false when there is none.
  bool TakeReport(StrikeReport* out) { return m_reports.Pop(out); }
  // Reports lost because the main thread had not taken them (the sound was not).
  uint32_t DroppedReports() const { return m_dropped.load(std::memory_order_relaxed); }
  // Whether a modifier pedal is held now.
  bool SecondariesHeld() const { return m_secondariesHeld.load(std::memory_order_relaxed); }

 private:
  void Press(int kit, int button, Basalt::TimeNs time, float velocity);
  void Release(int kit, int button, Basalt::TimeNs time);
  void ReleaseKit(int kit, Basalt::TimeNs time);
  void Strike(int kit, int button, Basalt::TimeNs time);
  void StrikeFromMidi(const MidiStrike& strike, Basalt::TimeNs time);
  // Plays padSlot (its primary when modifier, the pedal that holds the
  // secondaries, is the one struck) and reports it; returns its pad sound.
  int SoundPad(int kit, int button, int padSlot, bool modifier, float velocity, Basalt::TimeNs time);
  void Report(const StrikeReport& report);
  bool RepeatDue(int kit, int button, Basalt::TimeNs time) const;
  void SetModifier(int kit, bool held);

  const StrikeTable& m_table;
  bool m_held[kKits][kPadButtons] = {};
  Basalt::TimeNs m_lastStrike[kKits][kPadButtons] = {};
  float m_pressVelocity[kKits][kPadButtons] = {};  // the strength of each button's last press
  bool m_modifierHeld[kKits] = {};
  uint32_t m_pitchSeed = 1;
  MidiLink m_midi;
  std::atomic<bool> m_secondariesHeld{false};
  std::atomic<uint32_t> m_dropped{0};
  util::SpscQueue<StrikeReport, kReportCapacity> m_reports;
};
