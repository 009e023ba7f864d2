#pragma once
// Which reading of a velocity axis belongs to which press, within one poll of
// the controllers. A driver may hand a report's button on before the axis
// that carries its strength (Linux's xpad does: buttons first, then sticks),
// so a press waits for the rest of its poll: the first motion of its axis
// after it is its strength; a press whose axis does not move before its
// button is released, or before the poll's update is over, takes the axis as
// it stands then (an earlier report set it, or the strength equals the last
// one). Two strikes of a pad in one poll each take their own reading.
//
// The polling thread's alone; fixed capacity, never allocates.
#include <cstddef>
#include <cstdint>

#include "basalt/input/controller_velocity.h"
#include "basalt/input/input_event.h"

namespace Basalt {

class PressVelocities {
 public:
  static constexpr size_t kCapacity = 1024;  // presses waiting at once: as many as a poll's events

  // Forgets every waiting press: at the start of a poll.
  void Clear() { m_count = 0; }
  // press (not owned; it must stay put until Settle) waits for its strength
  // on source's axis of its controller (press->joy). Beyond kCapacity it
  // keeps full strength.
  void Wait(InputEvent* press, const VelocityAxis& source);
  // Controller joy's axis moved to value: the earliest press waiting for it
  // takes it.
  void AxisMoved(int joy, int axis, int16_t value);
  // Controller joy's button was released while its axis read value: a press
  // of it still waiting takes that.
  void Released(int joy, int button, int16_t value);
  // Every press still waiting takes the reading read(joy, axis) gives.
  template <typename Read>
  void Settle(Read read) {
    for (size_t i = 0; i < m_count; ++i) {
      Waiting& waiting = m_waiting[i];
      if (waiting.press) Take(&waiting, read(waiting.press->joy, waiting.source->axis));
    }
    m_count = 0;
  }

 private:
  struct Waiting {
    InputEvent* press;  // null once it has its strength
    const VelocityAxis* source;
  };
  static void Take(Waiting* waiting, int16_t value);

  Waiting m_waiting[kCapacity] = {};
  size_t m_count = 0;
};

}  // namespace Basalt
