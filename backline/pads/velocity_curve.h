#pragma once
// How loud a strike plays for its strength: a note's level is the pad's
// volume times the level of the strike's velocity (0 softest .. 1 hardest):
//
//   level = floor + (1 - floor) x shape(velocity)
//
// g_velocityCurve picks the shape: 0 off (every strike at full level, as
// without a velocity), 1 linear, 2 soft (the default: the square of the
// velocity, the way MIDI instruments commonly play velocity; above the floor
// a strike at half strength plays 12 dB below a full one); g_velocityFloor is
// the level, in percent, the softest strike still plays at. A velocity of 1
// always plays at full level. Any thread (the globals are set before the threads start).

// The shapes g_velocityCurve names.
enum VelocityCurve { kVelocityOff = 0, kVelocityLinear = 1, kVelocitySoft = 2 };

// The level of velocity (clamped into 0..1) on curve with floorPercent.
float VelocityLevel(float velocity, int curve, int floorPercent);

// The level of velocity with g_velocityCurve and g_velocityFloor.
float VelocityLevel(float velocity);
