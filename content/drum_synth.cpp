// Drum synthesis for the starter sample bank, at 48 kHz. Each voice is built
// from a few classic pieces: sines whose pitch falls exponentially (kick and
// tom bodies), filtered noise (snare wires, claps, shakers), and the six
// detuned square waves of analog drum machines through band-pass filters
// (hi-hats and cymbals). Every sound is shaped by exponential envelopes,
// normalised to a peak of -1 dBFS, and ends when it has decayed below -66 dB.
// The noise source is seeded per sound, so every build writes the same files.
#include "content/drum_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "content/wav_writer.h"

namespace content {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSampleRate;

class Noise {
 public:
  explicit Noise(uint32_t seed) : m_state(seed ? seed : 1) {}
  double Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return static_cast<double>(m_state) / 2147483648.0 - 1.0;
  }

 private:
  uint32_t m_state;
};

// A second-order band-pass, high-pass or low-pass section (the usual cookbook forms).
class Biquad {
 public:
  enum Kind { kLowPass, kHighPass, kBandPass };
  Biquad(Kind kind, double frequency, double q) {
    const double w = 2.0 * kPi * frequency / kRate, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    double b0 = 0, b1 = 0, b2 = 0;
    switch (kind) {
      case kLowPass:
        b0 = b2 = (1 - c) / 2;
        b1 = 1 - c;
        break;
      case kHighPass:
        b0 = b2 = (1 + c) / 2;
        b1 = -(1 + c);
        break;
      case kBandPass:
        b0 = alpha;
        b1 = 0;
        b2 = -alpha;
        break;
    }
    const double a0 = 1 + alpha;
    m_b0 = b0 / a0;
    m_b1 = b1 / a0;
    m_b2 = b2 / a0;
    m_a1 = -2 * c / a0;
    m_a2 = (1 - alpha) / a0;
  }
  double Process(double x) {
    const double y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
    m_x2 = m_x1;
    m_x1 = x;
    m_y2 = m_y1;
    m_y1 = y;
    return y;
  }

 private:
  double m_b0, m_b1, m_b2, m_a1, m_a2;
  double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

double Decay(double t, double tau) { return std::exp(-t / tau); }
// A short linear attack keeps the onset free of clicks without softening it.
double Attack(double t, double seconds) { return t >= seconds ? 1.0 : t / seconds; }
size_t Frames(double seconds) { return static_cast<size_t>(seconds * kRate); }

// Peak-normalises to -1 dBFS and trims the tail once it stays below -66 dB.
std::vector<float> Finish(std::vector<double> signal) {
  double peak = 0;
  for (double s : signal) peak = std::max(peak, std::fabs(s));
  if (peak <= 0) return std::vector<float>(signal.size(), 0.0f);
  const double gain = 0.891 / peak;
  size_t end = signal.size();
  while (end > 1 && std::fabs(signal[end - 1] * gain) < 0.0005) --end;
  const size_t fade = std::min<size_t>(end, Frames(0.004));
  std::vector<float> out(end);
  for (size_t i = 0; i < end; ++i) {
    const double tail = i + fade >= end ? static_cast<double>(end - i) / static_cast<double>(fade) : 1.0;
    out[i] = static_cast<float>(signal[i] * gain * tail);
  }
  return out;
}

// Renders seconds of voice(t), t in seconds from the strike, and finishes it.
template <typename Voice>
std::vector<float> Render(double seconds, Voice voice) {
  std::vector<double> out(Frames(seconds));
  for (size_t i = 0; i < out.size(); ++i) out[i] = voice(static_cast<double>(i) / kRate);
  return Finish(std::move(out));
}

// A sine whose pitch falls from start to end Hz with time constant sweep.
class FallingSine {
 public:
  FallingSine(double start, double end, double sweep) : m_start(start), m_end(end), m_sweep(sweep) {}
  double Next(double t) {
    const double frequency = m_end + (m_start - m_end) * Decay(t, m_sweep);
    m_phase += 2 * kPi * frequency / kRate;
    return std::sin(m_phase);
  }

 private:
  double m_start, m_end, m_sweep, m_phase = 0;
};

// The six square waves of a metal voice, scaled by ratio.
double MetalSquares(double t, double ratio) {
  static const double kFrequencies[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
  double sum = 0;
  for (double f : kFrequencies) sum += std::sin(2 * kPi * f * ratio * t) >= 0 ? 1.0 : -1.0;
  return sum / 6.0;
}

struct KickShape {
  double startHz, endHz, sweep, decay, click, drive, seconds;
};
std::vector<float> Kick(const KickShape& k, uint32_t seed) {
  Noise noise(seed);
  FallingSine body(k.startHz, k.endHz, k.sweep);
  Biquad clickFilter(Biquad::kHighPass, 1500, 0.7);
  return Render(k.seconds, [&](double t) {
    const double tone = body.Next(t) * Decay(t, k.decay) * Attack(t, 0.001);
    const double click = clickFilter.Process(noise.Next()) * Decay(t, 0.003) * k.click;
    return std::tanh((tone + click) * k.drive);
  });
}

struct SnareShape {
  double toneHz, toneDecay, toneLevel, noiseHz, noiseQ, noiseDecay, noiseLevel, attack, seconds;
};
std::vector<float> Snare(const SnareShape& s, uint32_t seed) {
  Noise noise(seed);
  FallingSine head(s.toneHz * 1.6, s.toneHz, 0.01), overtone(s.toneHz * 2.9, s.toneHz * 1.8, 0.008);
  Biquad wires(Biquad::kBandPass, s.noiseHz, s.noiseQ), air(Biquad::kHighPass, 900, 0.7);
  return Render(s.seconds, [&](double t) {
    const double tone = (head.Next(t) + 0.5 * overtone.Next(t)) * Decay(t, s.toneDecay) * s.toneLevel;
    const double n = air.Process(wires.Process(noise.Next()) * 3.0 + 0.3 * noise.Next());
    return (tone + n * Decay(t, s.noiseDecay) * s.noiseLevel) * Attack(t, s.attack);
  });
}

struct TomShape {
  double hz, drop, decay, seconds;
};
std::vector<float> Tom(const TomShape& m, uint32_t seed) {
  Noise noise(seed);
  FallingSine fundamental(m.hz * m.drop, m.hz, 0.05), second(m.hz * 1.58 * m.drop, m.hz * 1.58, 0.04),
      third(m.hz * 2.14 * m.drop, m.hz * 2.14, 0.03);
  Biquad stick(Biquad::kBandPass, 2500, 1.0);
  return Render(m.seconds, [&](double t) {
    const double body = fundamental.Next(t) * Decay(t, m.decay) + 0.35 * second.Next(t) * Decay(t, m.decay * 0.5) +
                        0.15 * third.Next(t) * Decay(t, m.decay * 0.3);
    return (body + stick.Process(noise.Next()) * Decay(t, 0.006) * 1.5) * Attack(t, 0.001);
  });
}

struct MetalShape {
  double ratio, bandHz, bandQ, highHz, decay, noiseLevel, bellLevel, attack, seconds;
};
std::vector<float> Metal(const MetalShape& c, uint32_t seed) {
  Noise noise(seed);
  Biquad band(Biquad::kBandPass, c.bandHz, c.bandQ), high(Biquad::kHighPass, c.highHz, 0.7);
  return Render(c.seconds, [&](double t) {
    const double shimmer = high.Process(band.Process(MetalSquares(t, c.ratio) + c.noiseLevel * noise.Next()));
    const double bell = (std::sin(2 * kPi * 612 * c.ratio * t) + 0.6 * std::sin(2 * kPi * 1487 * c.ratio * t)) *
                        Decay(t, 0.9) * c.bellLevel;
    return (shimmer * Decay(t, c.decay) + bell) * Attack(t, c.attack);
  });
}

struct BurstShape {
  double bandHz, bandQ, decay, attack, seconds;
  int bursts;  // a clap's hands arrive a few milliseconds apart
};
std::vector<float> NoiseBurst(const BurstShape& b, uint32_t seed) {
  Noise noise(seed);
  Biquad band(Biquad::kBandPass, b.bandHz, b.bandQ);
  return Render(b.seconds, [&](double t) {
    double envelope = Decay(t, b.decay) * Attack(t, b.attack);
    for (int k = 1; k < b.bursts; ++k) {
      const double start = 0.009 * k;
      if (t >= start && t < start + 0.009) envelope = std::max(envelope, Decay(t - start, 0.003));
    }
    return band.Process(noise.Next()) * envelope;
  });
}

struct PartialsShape {
  double hz[3], level[3], decay, seconds;
};
std::vector<float> Partials(const PartialsShape& p) {
  return Render(p.seconds, [&](double t) {
    double sum = 0;
    for (int k = 0; k < 3; ++k) sum += p.level[k] * std::sin(2 * kPi * p.hz[k] * t);
    return sum * Decay(t, p.decay) * Attack(t, 0.0005);
  });
}

std::vector<float> Cowbell() {
  Biquad band(Biquad::kBandPass, 1100, 1.2);
  return Render(0.6, [&](double t) {
    const double squares =
        (std::sin(2 * kPi * 540 * t) >= 0 ? 1.0 : -1.0) + (std::sin(2 * kPi * 800 * t) >= 0 ? 1.0 : -1.0);
    return band.Process(squares) * (0.7 * Decay(t, 0.02) + 0.3 * Decay(t, 0.16));
  });
}

const std::vector<SampleRecipe> kBank = {
    {"Snares", "Acoustic Snare",
     [] {
       return Snare({190, 0.06, 0.8, 4200, 0.8, 0.16, 1.0, 0.0008, 0.7}, 11);
     }},
    {"Snares", "Brush Snare",
     [] {
       return Snare({170, 0.03, 0.15, 5500, 0.5, 0.2, 1.0, 0.02, 0.7}, 12);
     }},
    {"Snares", "Crack Snare",
     [] {
       return Snare({240, 0.04, 0.6, 5000, 1.0, 0.11, 1.2, 0.0005, 0.5}, 13);
     }},
    {"Snares", "Deep Snare",
     [] {
       return Snare({150, 0.09, 1.0, 3200, 0.7, 0.24, 0.9, 0.0008, 0.9}, 14);
     }},
    {"Snares", "Electro Snare",
     [] {
       return Snare({210, 0.05, 0.9, 6000, 0.6, 0.13, 0.8, 0.0005, 0.5}, 15);
     }},
    {"Snares", "Piccolo Snare",
     [] {
       return Snare({330, 0.05, 0.7, 6500, 1.0, 0.12, 1.0, 0.0005, 0.5}, 16);
     }},
    {"Snares", "Rimshot",
     [] {
       return Snare({460, 0.03, 1.2, 3800, 1.5, 0.07, 0.8, 0.0003, 0.4}, 17);
     }},
    {"Cymbals", "Bell Ride",
     [] {
       return Metal({1.3, 6000, 0.7, 3000, 0.9, 0.2, 0.5, 0.0005, 2.5}, 21);
     }},
    {"Cymbals", "China",
     [] {
       return Metal({1.9, 4000, 0.5, 1500, 0.8, 1.0, 0.0, 0.002, 2.2}, 22);
     }},
    {"Cymbals", "Crash",
     [] {
       return Metal({1.6, 7500, 0.5, 3000, 1.2, 1.2, 0.0, 0.003, 3.0}, 23);
     }},
    {"Cymbals", "Hi-Hat Closed",
     [] {
       return Metal({2.0, 10000, 0.8, 7000, 0.035, 0.6, 0.0, 0.0005, 0.25}, 24);
     }},
    {"Cymbals", "Hi-Hat Open",
     [] {
       return Metal({2.0, 10000, 0.8, 6500, 0.3, 0.6, 0.0, 0.0008, 1.2}, 25);
     }},
    {"Cymbals", "Ride",
     [] {
       return Metal({1.4, 7000, 0.7, 4000, 1.1, 0.3, 0.12, 0.0005, 2.8}, 26);
     }},
    {"Cymbals", "Splash",
     [] {
       return Metal({1.8, 9000, 0.6, 4000, 0.45, 1.0, 0.0, 0.002, 1.4}, 27);
     }},
    {"TomToms", "Electro Tom",
     [] {
       return Tom({110, 2.8, 0.3, 1.0}, 31);
     }},
    {"TomToms", "Floor Tom",
     [] {
       return Tom({82, 1.4, 0.45, 1.6}, 32);
     }},
    {"TomToms", "High Tom",
     [] {
       return Tom({196, 1.3, 0.3, 1.1}, 33);
     }},
    {"TomToms", "Low Tom",
     [] {
       return Tom({110, 1.35, 0.4, 1.4}, 34);
     }},
    {"TomToms", "Mid Tom",
     [] {
       return Tom({147, 1.3, 0.35, 1.2}, 35);
     }},
    {"Kick", "808 Kick",
     [] {
       return Kick({120, 45, 0.06, 0.5, 0.3, 1.2, 1.6}, 41);
     }},
    {"Kick", "Deep Kick",
     [] {
       return Kick({140, 48, 0.03, 0.25, 0.6, 1.6, 0.9}, 42);
     }},
    {"Kick", "Punchy Kick",
     [] {
       return Kick({180, 58, 0.02, 0.16, 1.0, 2.2, 0.6}, 43);
     }},
    {"Kick", "Soft Kick",
     [] {
       return Kick({110, 52, 0.03, 0.2, 0.2, 1.0, 0.7}, 44);
     }},
    {"Kick", "Tight Kick",
     [] {
       return Kick({200, 62, 0.012, 0.09, 1.2, 2.5, 0.4}, 45);
     }},
    {"Other", "Clap",
     [] {
       return NoiseBurst({1200, 0.9, 0.12, 0.0005, 0.6, 4}, 51);
     }},
    {"Other", "Clave",
     [] {
       return Partials({{2500, 5100, 7600}, {1.0, 0.15, 0.05}, 0.025, 0.25});
     }},
    {"Other", "Cowbell", [] { return Cowbell(); }},
    {"Other", "Shaker",
     [] {
       return NoiseBurst({7000, 0.7, 0.05, 0.015, 0.3, 1}, 54);
     }},
    {"Other", "Tambourine",
     [] {
       return Metal({3.1, 9000, 1.0, 6000, 0.18, 0.8, 0.0, 0.002, 0.8}, 55);
     }},
    {"Other", "Woodblock",
     [] {
       return Partials({{820, 1310, 2450}, {1.0, 0.4, 0.1}, 0.04, 0.3});
     }},
};

}  // namespace

const std::vector<SampleRecipe>& StarterBank() { return kBank; }

std::vector<float> RenderClick() { return Partials({{1800, 3600, 5400}, {1.0, 0.3, 0.1}, 0.006, 0.05}); }

}  // namespace content
