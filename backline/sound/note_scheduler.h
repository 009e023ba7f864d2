#pragma once
// Which notes start in the next span of the output stream, and at which frame
// of it: the part of a sound back end between the threads that send notes and
// the one thread that starts them (the consumer: the voice engine's audio
// thread, the SDL_mixer back end's dispatcher). Both back ends own one.
//
// Producers hand notes over through one single-producer queue per
// NoteSource. The consumer calls Collect once per span of `frames` frames:
// it first applies the main thread's controls (cancels, metronome changes),
// then starts every pending or newly queued note whose frame falls inside the
// span and keeps the later ones pending (a fixed array: an overflow drops the
// note and counts it), recomputing their frame against each span's own time,
// and last the metronome beats that fall inside it. A note's frame is
// round((note.time - spanTime) x rate / 1e9) + latency frames; one that is
// already late starts at the span's first frame.
//
// The metronome keeps its grid on the output stream itself (frames counted
// since the scheduler was made), so it does not move with the jitter of the
// times the spans are given: beat 0 falls on the frame of the moment it was
// switched on (as a note stamped then would), beat n round(n x 60 x rate /
// bpm) frames after it, the fraction kept in double. A tempo change keeps the
// last beat and goes on from it at the new interval.
#include <atomic>
#include <cstdint>

#include "backline/sound/note.h"
#include "basalt/util/spsc_queue.h"

class NoteScheduler {
 public:
  static constexpr size_t kQueueCapacity = 1024;
  static constexpr int kMaxPending = 512;
  static constexpr int kMetronomeSlot = 20;

  // rate: frames per second of the stream the spans divide.
  explicit NoteScheduler(int rate);
  NoteScheduler(const NoteScheduler&) = delete;
  NoteScheduler& operator=(const NoteScheduler&) = delete;

  // The thread that source names. Queues the note; false, counted as
  // dropped, when the queue is full. Lock-free, allocation-free.
  bool Send(NoteSource source, const Note& note);

  // Main thread. Drops every note of source sent before this call and not yet
  // started (applied at the start of the consumer's next span).
  void Cancel(NoteSource source);
  // Main thread. Switches the metronome on or off or changes its tempo, as
  // of the instrument-clock moment `at` (applied at the next span).
  void SetMetronome(bool on, unsigned bpm, Basalt::TimeNs at);
  // The fixed delay added to every note, in frames (the device period). Main
  // thread, while no span is being collected on another.
  void SetLatencyFrames(int frames) { m_latencyFrames.store(frames, std::memory_order_relaxed); }
  int LatencyFrames() const { return m_latencyFrames.load(std::memory_order_relaxed); }

  // Any thread: notes started so far, notes dropped (full queue or pending
  // list, or refused by the consumer), metronome beats started.
  uint32_t NotesStarted() const { return m_notesStarted.load(std::memory_order_relaxed); }
  uint32_t NotesDropped() const { return m_notesDropped.load(std::memory_order_relaxed); }
  uint32_t MetronomeBeats() const { return m_beats.load(std::memory_order_relaxed); }

  // Consumer side, while no consumer runs (the device closed): forgets every
  // note not started yet, every request not applied, and the metronome, so
  // nothing sent before sounds when the next device opens.
  void DropAll();

  // Consumer thread only: the frames since the scheduler was made.
  int64_t StreamFrame() const { return m_streamFrame; }

  // Consumer thread only. The next `frames` frames of the stream, whose first
  // frame stands for spanTime on the instrument clock. Calls
  // start(note, offset) with offset in [0, frames) for each note and beat
  // that starts in them; start returns false when it cannot play the note
  // (counted as dropped). Never allocates, locks or blocks.
  template <typename Start>
  void Collect(Basalt::TimeNs spanTime, int frames, Start& start) {
    CollectWith(
        spanTime, frames,
        [](void* context, const Note& note, int offset) { return (*static_cast<Start*>(context))(note, offset); },
        &start);
  }

 private:
  using StartFn = bool (*)(void* context, const Note& note, int offset);

  // A main-thread request, applied by the consumer at its next span.
  struct Control {
    enum Kind { kCancel, kMetronome } kind = kCancel;
    NoteSource source = NoteSource::Main;  // kCancel
    uint64_t mark = 0;                     // kCancel: the notes source had sent by then
    bool on = false;                       // kMetronome
    unsigned bpm = 0;
    Basalt::TimeNs at = 0;
  };
  struct Pending {
    Note note;
    NoteSource source;
  };
  struct Span {
    Basalt::TimeNs time;
    int frames;
    StartFn start;
    void* context;
  };

  void CollectWith(Basalt::TimeNs spanTime, int frames, StartFn start, void* context);
  void PushControl(const Control& control);
  void ApplyControls(Basalt::TimeNs spanTime);
  void ApplyCancel(const Control& control);
  void ApplyMetronome(const Control& control, Basalt::TimeNs spanTime);
  int64_t OffsetOf(Basalt::TimeNs time, Basalt::TimeNs spanTime) const;
  void StartDuePending(const Span& span);
  void TakeQueuedNotes(const Span& span);
  bool StartIfDue(const Note& note, const Span& span);
  void StartBeats(const Span& span);
  int64_t BeatFrame(int64_t index) const;

  const int m_rate;
  util::SpscQueue<Note, kQueueCapacity> m_queues[kNoteSources];
  std::atomic<uint64_t> m_sent[kNoteSources] = {};  // written by each source's thread
  util::SpscQueue<Control, 64> m_controls;
  std::atomic<int> m_latencyFrames{0};
  std::atomic<uint32_t> m_notesStarted{0};
  std::atomic<uint32_t> m_notesDropped{0};
  std::atomic<uint32_t> m_beats{0};

  // Consumer thread only.
  uint64_t m_received[kNoteSources] = {};
  Pending m_pending[kMaxPending];
  int m_pendingCount = 0;
  int64_t m_streamFrame = 0;
  bool m_metronomeOn = false;
  unsigned m_bpm = 0;
  double m_beatInterval = 0.0;  // frames
  int64_t m_beatOrigin = 0;     // the frame of the beat the grid counts from
  int64_t m_nextBeat = 0;       // index of the next beat after the origin
  uint32_t m_pitchSeed = 1;     // the beats' pitch spread
};
