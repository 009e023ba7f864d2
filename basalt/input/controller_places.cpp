#include "basalt/input/controller_places.h"

#include <algorithm>
#include <cassert>
#include <cstdio>

namespace Basalt {

const ControllerPlaces::Place& ControllerPlaces::At(int place) const {
  assert(place >= 0 && place < m_count && "a place that was taken");
  return m_places[static_cast<size_t>(place)];
}

const ControllerModel& ControllerPlaces::Model(int place) const { return *At(place).model; }

const char* ControllerPlaces::Name(int place) const { return At(place).name; }

bool ControllerPlaces::PluggedIn(int place) const { return At(place).pluggedIn; }

bool ControllerPlaces::LeftBy(int place, const ControllerModel& model) const {
  const Place& taken = m_places[static_cast<size_t>(place)];
  return taken.model == &model && !taken.pluggedIn;
}

int ControllerPlaces::PlaceFor(const ControllerModel& model) const {
  for (int place = 0; place < m_count; ++place)
    if (LeftBy(place, model)) return place;
  for (int place = 0; place < kPlaces; ++place)
    if (!m_places[static_cast<size_t>(place)].pluggedIn) return place;
  return -1;
}

void ControllerPlaces::Take(int place, const ControllerModel& model, const char* name, int32_t instanceId) {
  assert(place >= 0 && place < kPlaces && !m_places[static_cast<size_t>(place)].pluggedIn && "a free place");
  Place& taken = m_places[static_cast<size_t>(place)];
  taken.model = &model;
  std::snprintf(taken.name, sizeof taken.name, "%s", name);
  taken.instanceId = instanceId;
  taken.pluggedIn = true;
  m_count = std::max(m_count, place + 1);
}

void ControllerPlaces::Leave(int place) {
  assert(place >= 0 && place < m_count && "a place that was taken");
  Place& left = m_places[static_cast<size_t>(place)];
  left.pluggedIn = false;
  left.instanceId = -1;
}

bool ControllerPlaces::AnyMissingFrom(const std::vector<int32_t>& attached) const {
  return std::any_of(m_places.begin(), m_places.end(), [&](const Place& place) {
    return place.pluggedIn && std::find(attached.begin(), attached.end(), place.instanceId) == attached.end();
  });
}

void ControllerPlaces::Clear() { *this = ControllerPlaces(); }

}  // namespace Basalt
