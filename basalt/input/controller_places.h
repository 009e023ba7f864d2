#pragma once
// The four places a controller can take, as the main thread keeps them: the
// model and name of the controller in each place, SDL's id of its device and
// whether it is plugged in. A controller that goes away keeps its place,
// model and name, and reads released, until a controller takes the place
// again: one of the same model first (a kit whose cable came out plays on
// where it left off), else whichever arrives while it is the first free one.
// Main thread only; the open devices themselves are the input thread's
// (ControllerPoller).
#include <array>
#include <cstdint>
#include <vector>

#include "basalt/input/controller_models.h"

namespace Basalt {

class ControllerPlaces {
 public:
  static constexpr int kPlaces = 4;
  static constexpr unsigned kNameCapacity = 260;

  // Places taken so far, left ones included: the places below it are in use.
  int Count() const { return m_count; }
  // For a place below Count(): the model and name of the controller that
  // took it last, and whether that controller is plugged in.
  const ControllerModel& Model(int place) const;
  const char* Name(int place) const;
  bool PluggedIn(int place) const;

  // The place a controller of model takes when it arrives: the first place a
  // controller of the same model left, else the first place not plugged in;
  // -1 when all four are.
  int PlaceFor(const ControllerModel& model) const;
  // Whether place was left by a controller of model (it comes back into it).
  bool LeftBy(int place, const ControllerModel& model) const;
  // The controller of model, SDL's device instanceId, takes place (PlaceFor's answer).
  void Take(int place, const ControllerModel& model, const char* name, int32_t instanceId);
  // The controller in place went away.
  void Leave(int place);
  // Whether a plugged-in controller's device is missing from attached (SDL's
  // devices now): it went away and the input thread has not reported it yet.
  bool AnyMissingFrom(const std::vector<int32_t>& attached) const;
  // Every place free again.
  void Clear();

 private:
  struct Place {
    const ControllerModel* model = nullptr;  // null: never taken
    char name[kNameCapacity] = {};
    int32_t instanceId = -1;
    bool pluggedIn = false;
  };
  const Place& At(int place) const;

  std::array<Place, kPlaces> m_places;
  int m_count = 0;
};

}  // namespace Basalt
