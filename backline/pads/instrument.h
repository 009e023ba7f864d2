#pragma once
// The drum instrument the program plays: what each pad plays (the
// assignment, the volumes, the velocity layers), which button strikes which
// pad (the pad map), the kits' and keys' hit path on the input thread with
// the table it reads, and the strikes of the current frame. Every strike
// goes through it: the kits, the keys and MIDI in on the input thread
// (StrikePath, real time), Assign Mode's previews here on the main thread;
// playback sounds its events on the recording's pads and reports each as its
// time comes (OnStrike). Each strike it learns of is added to the frame's
// strikes and told to every listener: the drum set flashes it, the recorder
// stores it while recording.
//
// Owned by GameApp for the whole run. Main thread only, but for the hit path
// behind InputListener, which runs on the input thread and reads only what
// Publish last wrote. Reporting a strike allocates nothing (what a listener
// does with it is its own).
#include <array>

#include "backline/pads/pad_assignment.h"
#include "backline/pads/pad_hits.h"
#include "backline/pads/pad_map.h"
#include "backline/pads/pad_volumes.h"
#include "backline/pads/strike_listener.h"
#include "backline/pads/strike_path.h"
#include "backline/pads/strike_table.h"
#include "backline/pads/velocity_layers.h"

class Instrument final : public StrikeListener {
 public:
  static constexpr int kMaxListeners = 4;

  Instrument() = default;
  Instrument(const Instrument&) = delete;
  Instrument& operator=(const Instrument&) = delete;

  // What the pads play and which buttons strike them; presets and the
  // screens edit them, and a change sounds once published.
  PadAssignment pads;
  PadVolumes volumes;     // kept as they are whatever the number of kits shown
  VelocityLayers layers;  // the velocity layers of the pads' samples, from the preset loaded last
  PadMap padMap;

  // Hands the input thread's hit path the pads as they stand; live: whether
  // the kits and keys strike now.
  void Publish(bool live);
  // The pads as the hit path last saw them.
  const StrikeTable& Table() const { return m_table; }

  // The hit path of the kits and keys, for Input::SetListener; it lives as
  // long as the instrument.
  Basalt::IInputListener* InputListener() { return &m_path; }
  // The MIDI ports the kits' strikes go out on; set while the hit path is no
  // input listener.
  void SetMidi(const MidiLink& link) { m_path.SetMidi(link); }
  // Whether a modifier pedal is held now (any thread).
  bool SecondariesHeld() const { return m_path.SecondariesHeld(); }

  // First thing in a frame: forgets the last frame's strikes and reports
  // each one the hit path made since.
  void CollectStrikes();
  // Assign Mode's preview: pad slot padSlot's primary or secondary sound
  // now, at full strength on the user's pads, reported like any strike.
  void Preview(int padSlot, bool secondary);
  // A strike sounded elsewhere on the main thread (playback's events as
  // their time comes): reported like the instrument's own.
  void OnStrike(const StrikeReport& strike) override;
  // The strikes reported since the frame began, in order.
  const FrameStrikes& Strikes() const { return m_strikes; }

  // listener (not owned) hears every strike reported from now on, once
  // however often it is added; at most kMaxListeners at a time (asserted).
  void Listen(StrikeListener* listener);
  // listener hears nothing more; nothing happens when it was not listening.
  void StopListening(StrikeListener* listener);
  bool IsListening(const StrikeListener* listener) const;

 private:
  void Report(const StrikeReport& strike);

  StrikeTable m_table;
  StrikePath m_path{m_table};
  FrameStrikes m_strikes;
  std::array<StrikeListener*, kMaxListeners> m_listeners{};
};
