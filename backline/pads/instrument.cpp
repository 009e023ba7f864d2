#include "backline/pads/instrument.h"

#include <algorithm>
#include <cassert>

#include "backline/sound/note.h"
#include "basalt/foundation/clock.h"

void Instrument::Publish(bool live) {
  m_table.PublishLayers(layers, pads);
  m_table.Publish(padMap, pads, volumes, live);
}

void Instrument::CollectStrikes() {
  m_strikes.Clear();
  for (StrikeReport report; m_path.TakeReport(&report);) Report(report);
}

void Instrument::Preview(int padSlot, bool secondary) {
  const Basalt::TimeNs now = Basalt::GetTimeNs();
  StrikePadSlot(padSlot, secondary, {pads, volumes, layers}, now, kFullVelocity);
  Report({StrikeReport::Strike, padSlot / kPadsPerKit, padSlot % kPadsPerKit, padSlot, secondary, now, kFullVelocity});
}

void Instrument::OnStrike(const StrikeReport& strike) { Report(strike); }

void Instrument::Report(const StrikeReport& strike) {
  m_strikes.Add(strike);
  for (StrikeListener* listener : m_listeners)
    if (listener) listener->OnStrike(strike);
}

void Instrument::Listen(StrikeListener* listener) {
  assert(listener && listener != this && "a listener of the instrument's strikes");
  if (IsListening(listener)) return;
  const auto free = std::find(m_listeners.begin(), m_listeners.end(), nullptr);
  assert(free != m_listeners.end() && "too many strike listeners");
  if (free != m_listeners.end()) *free = listener;
}

void Instrument::StopListening(StrikeListener* listener) {
  std::replace(m_listeners.begin(), m_listeners.end(), listener, static_cast<StrikeListener*>(nullptr));
}

bool Instrument::IsListening(const StrikeListener* listener) const {
  return std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end();
}
