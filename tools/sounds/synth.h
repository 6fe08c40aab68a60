// Small building blocks for synthesising the game's effects: oscillators that take a new frequency
// every sample (so sweeps are just functions of time), a seeded noise source, a state-variable
// filter, envelopes, and the finishing steps every effect goes through.
// Everything is deterministic: the same program makes the same bytes on every run.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace qv::synth {

inline constexpr int kRate = 22050;
inline constexpr double kPi = 3.14159265358979323846;

using Wave = std::vector<double>;

int Samples(double seconds);
// Calls fill(t) for every sample of the given length, t in seconds.
Wave Render(double seconds, const std::function<double(double)>& fill);
// Adds source into target starting at the given time, scaled by gain (target grows if needed).
void Mix(Wave& target, const Wave& source, double atSeconds, double gain);

// Exponential glide from a to b as t goes from 0 to length (and held outside).
double Glide(double t, double length, double a, double b);
// Straight-line move from a to b as t goes from 0 to length (and held outside).
double Ramp(double t, double length, double a, double b);
// Linear attack, then exponential decay with time constant tau.
double AttackDecay(double t, double attack, double tau);
// 0 before start, then 1 for length, with short linear edges so the gate never clicks.
double Gate(double t, double start, double length, double edge = 0.004);
double NoteHz(int midiNote);

// A running phase in cycles, advanced by one sample at the given frequency.
class Phase {
 public:
  double Step(double hz);
  double value = 0.0;
};

double Sine(double phase);
// A square rounded off by tanh: bright but with far less aliasing than a hard square.
double SoftSquare(double phase, double hardness);
// Band-limited (polyBLEP) sawtooth and pulse; dt is frequency / kRate.
double Saw(double phase, double dt);
double Pulse(double phase, double dt, double width);

// White noise in [-1, 1) from a fixed seed.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1u) {}
  double Next();
  double Uniform(double lo, double hi);

 private:
  std::uint32_t state_;
};

// Topology-preserving state-variable filter: stable under fast cutoff sweeps.
class Filter {
 public:
  struct Out {
    double low, band, high;
  };
  Out Process(double input, double cutoffHz, double q);
  double Low(double input, double cutoffHz, double q = 0.707) { return Process(input, cutoffHz, q).low; }
  double Band(double input, double cutoffHz, double q) { return Process(input, cutoffHz, q).band; }
  double High(double input, double cutoffHz, double q = 0.707) { return Process(input, cutoffHz, q).high; }

 private:
  double s1_ = 0.0, s2_ = 0.0;
};

// Filtered noise whose cutoff falls from bright to dark while the level decays, over a sub-bass thump
// whose pitch drops: the shape every explosion in the game shares.
struct ExplosionShape {
  double seconds = 1.0;
  double cutoffFrom = 6000.0, cutoffTo = 200.0;
  double boomFrom = 100.0, boomTo = 30.0, boomLevel = 0.6;
  double decay = 0.3;  // time constant of the level
  double crackle = 0.0;  // 0..1: sparse sharp crackles over the noise
  std::uint32_t seed = 1;
};
Wave Explosion(const ExplosionShape& shape);

// Squeezes the peaks of a loud, spiky sound (explosions) so it carries more weight at the same peak:
// scaled to full scale, then through tanh with the given drive.
void Saturate(Wave& wave, double drive);

// The finishing steps: remove any DC offset, fade the very start and end so nothing clicks, and scale
// the peak to peakDb below full scale. A looping sample is only scaled: it must stay a whole loop.
void Finish(Wave& wave, double peakDb, bool loop);
std::vector<std::int16_t> Quantise(const Wave& wave);

}  // namespace qv::synth
