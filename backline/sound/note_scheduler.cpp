#include "backline/sound/note_scheduler.h"

#include <algorithm>
#include <cmath>

#include "backline/sound/sound_backend.h"
#include "basalt/foundation/log.h"

using Basalt::TimeNs;

static_assert(std::atomic<uint64_t>::is_always_lock_free && std::atomic<uint32_t>::is_always_lock_free,
              "the counters shared with the consumer must be lock-free");

namespace {

// Farther apart than this, a note is simply late or not yet due.
constexpr double kMaxOffsetSeconds = 3600.0;

}  // namespace

NoteScheduler::NoteScheduler(int rate) : m_rate(rate) {}

bool NoteScheduler::Send(NoteSource source, const Note& note) {
  const int index = static_cast<int>(source);
  if (!m_queues[index].Push(note)) {
    m_notesDropped.fetch_add(1, std::memory_order_relaxed);
    return false;
  }
  m_sent[index].fetch_add(1, std::memory_order_release);
  return true;
}

void NoteScheduler::PushControl(const Control& control) {
  if (!m_controls.Push(control))
    Basalt::LogMessage("Sound: the control queue is full; a cancel or metronome change is lost");
}

void NoteScheduler::Cancel(NoteSource source) {
  Control control;
  control.kind = Control::kCancel;
  control.source = source;
  control.mark = m_sent[static_cast<int>(source)].load(std::memory_order_acquire);
  PushControl(control);
}

void NoteScheduler::DropAll() {
  for (Control control; m_controls.Pop(&control);) {
  }
  for (int source = 0; source < kNoteSources; ++source)
    for (Note note; m_queues[source].Pop(&note);) ++m_received[source];
  m_pendingCount = 0;
  m_metronomeOn = false;
}

void NoteScheduler::SetMetronome(bool on, unsigned bpm, TimeNs at) {
  Control control;
  control.kind = Control::kMetronome;
  control.on = on && bpm > 0;
  control.bpm = bpm;
  control.at = at;
  PushControl(control);
}

void NoteScheduler::CollectWith(TimeNs spanTime, int frames, StartFn start, void* context) {
  const Span span{spanTime, frames, start, context};
  ApplyControls(spanTime);
  StartDuePending(span);
  TakeQueuedNotes(span);
  StartBeats(span);
  m_streamFrame += frames;
}

void NoteScheduler::ApplyControls(TimeNs spanTime) {
  Control control;
  while (m_controls.Pop(&control)) {
    if (control.kind == Control::kCancel)
      ApplyCancel(control);
    else
      ApplyMetronome(control, spanTime);
  }
}

void NoteScheduler::ApplyCancel(const Control& control) {
  const int index = static_cast<int>(control.source);
  int kept = 0;
  for (int i = 0; i < m_pendingCount; ++i)
    if (m_pending[i].source != control.source) m_pending[kept++] = m_pending[i];
  m_pendingCount = kept;
  Note discarded;
  while (m_received[index] < control.mark && m_queues[index].Pop(&discarded)) ++m_received[index];
}

void NoteScheduler::ApplyMetronome(const Control& control, TimeNs spanTime) {
  if (!control.on) {
    m_metronomeOn = false;
    return;
  }
  const double interval = 60.0 * m_rate / control.bpm;
  if (!m_metronomeOn) {
    m_metronomeOn = true;
    m_beatOrigin = m_streamFrame + std::max<int64_t>(0, OffsetOf(control.at, spanTime));
    m_nextBeat = 0;
  } else if (control.bpm != m_bpm && m_nextBeat > 0) {
    // From the last beat at the new interval, never back into the past.
    m_beatOrigin = BeatFrame(m_nextBeat - 1);
    const double behind = static_cast<double>(m_streamFrame - m_beatOrigin) / interval;
    m_nextBeat = std::max<int64_t>(1, static_cast<int64_t>(std::ceil(behind)));
  }
  m_bpm = control.bpm;
  m_beatInterval = interval;
}

int64_t NoteScheduler::OffsetOf(TimeNs time, TimeNs spanTime) const {
  const double seconds =
      std::clamp(static_cast<double>(time - spanTime) / Basalt::kNsPerSecond, -kMaxOffsetSeconds, kMaxOffsetSeconds);
  return std::llround(seconds * m_rate) + LatencyFrames();
}

bool NoteScheduler::StartIfDue(const Note& note, const Span& span) {
  const int64_t offset = OffsetOf(note.time, span.time);
  if (offset >= span.frames) return false;
  const bool started = span.start(span.context, note, static_cast<int>(std::max<int64_t>(0, offset)));
  (started ? m_notesStarted : m_notesDropped).fetch_add(1, std::memory_order_relaxed);
  return true;
}

void NoteScheduler::StartDuePending(const Span& span) {
  int kept = 0;
  for (int i = 0; i < m_pendingCount; ++i)
    if (!StartIfDue(m_pending[i].note, span)) m_pending[kept++] = m_pending[i];
  m_pendingCount = kept;
}

void NoteScheduler::TakeQueuedNotes(const Span& span) {
  for (int index = 0; index < kNoteSources; ++index) {
    Note note;
    while (m_queues[index].Pop(&note)) {
      ++m_received[index];
      if (StartIfDue(note, span)) continue;
      if (m_pendingCount == kMaxPending) {
        m_notesDropped.fetch_add(1, std::memory_order_relaxed);
        continue;
      }
      m_pending[m_pendingCount++] = {note, static_cast<NoteSource>(index)};
    }
  }
}

int64_t NoteScheduler::BeatFrame(int64_t index) const {
  return m_beatOrigin + std::llround(static_cast<double>(index) * m_beatInterval);
}

void NoteScheduler::StartBeats(const Span& span) {
  while (m_metronomeOn) {
    const int64_t offset = std::max<int64_t>(0, BeatFrame(m_nextBeat) - m_streamFrame);
    if (offset >= span.frames) return;
    Note click;
    click.slot = kMetronomeSlot;
    click.volume = 1.0f;
    click.pitch = PickPitch(&m_pitchSeed);
    click.time = span.time + (offset - LatencyFrames()) * Basalt::kNsPerSecond / m_rate;
    span.start(span.context, click, static_cast<int>(offset));
    m_beats.fetch_add(1, std::memory_order_relaxed);
    ++m_nextBeat;
  }
}
