#include "synth.h"

#include <algorithm>
#include <cmath>

namespace qv::synth {

int Samples(double seconds) { return std::max(0, static_cast<int>(std::lround(seconds * kRate))); }

Wave Render(double seconds, const std::function<double(double)>& fill) {
  Wave wave(static_cast<std::size_t>(Samples(seconds)));
  for (std::size_t i = 0; i < wave.size(); ++i) wave[i] = fill(static_cast<double>(i) / kRate);
  return wave;
}

void Mix(Wave& target, const Wave& source, double atSeconds, double gain) {
  const std::size_t offset = static_cast<std::size_t>(Samples(atSeconds));
  if (target.size() < offset + source.size()) target.resize(offset + source.size(), 0.0);
  for (std::size_t i = 0; i < source.size(); ++i) target[offset + i] += source[i] * gain;
}

double Glide(double t, double length, double a, double b) {
  const double x = std::clamp(t / length, 0.0, 1.0);
  return a * std::pow(b / a, x);
}

double Ramp(double t, double length, double a, double b) {
  const double x = std::clamp(t / length, 0.0, 1.0);
  return a + (b - a) * x;
}

double AttackDecay(double t, double attack, double tau) {
  if (t < 0.0) return 0.0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}

double Gate(double t, double start, double length, double edge) {
  const double u = t - start;
  if (u <= 0.0 || u >= length) return 0.0;
  return std::min({1.0, u / edge, (length - u) / edge});
}

double NoteHz(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

double Phase::Step(double hz) {
  value += hz / kRate;
  value -= std::floor(value);
  return value;
}

double Sine(double phase) { return std::sin(2.0 * kPi * phase); }

double SoftSquare(double phase, double hardness) {
  return std::tanh(hardness * Sine(phase)) / std::tanh(hardness);
}

namespace {

// The polyBLEP residual that rounds a step off over one sample on each side.
double Blep(double phase, double dt) {
  if (phase < dt) {
    const double x = phase / dt;
    return x + x - x * x - 1.0;
  }
  if (phase > 1.0 - dt) {
    const double x = (phase - 1.0) / dt;
    return x * x + x + x + 1.0;
  }
  return 0.0;
}

}  // namespace

double Saw(double phase, double dt) { return 2.0 * phase - 1.0 - Blep(phase, dt); }

double Pulse(double phase, double dt, double width) {
  double value = phase < width ? 1.0 : -1.0;
  value += Blep(phase, dt);
  double shifted = phase + (1.0 - width);
  shifted -= std::floor(shifted);
  value -= Blep(shifted, dt);
  return value;
}

double Noise::Next() {
  // xorshift32: tiny, fast, and the same sequence everywhere.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

double Noise::Uniform(double lo, double hi) { return lo + (hi - lo) * (Next() + 1.0) * 0.5; }

Filter::Out Filter::Process(double input, double cutoffHz, double q) {
  const double fc = std::clamp(cutoffHz, 10.0, kRate * 0.45);
  const double g = std::tan(kPi * fc / kRate);
  const double k = 1.0 / std::max(q, 0.05);
  const double a1 = 1.0 / (1.0 + g * (g + k));
  const double a2 = g * a1;
  const double a3 = g * a2;
  const double v3 = input - s2_;
  const double v1 = a1 * s1_ + a2 * v3;
  const double v2 = s2_ + a2 * s1_ + a3 * v3;
  s1_ = 2.0 * v1 - s1_;
  s2_ = 2.0 * v2 - s2_;
  return {v2, v1, input - k * v1 - v2};
}

Wave Explosion(const ExplosionShape& shape) {
  Noise noise(shape.seed);
  Filter body;
  Filter crackleFilter;
  Phase boom;
  double crackleLevel = 0.0;
  return Render(shape.seconds, [&](double t) {
    const double cutoff = Glide(t, shape.seconds * 0.8, shape.cutoffFrom, shape.cutoffTo);
    const double level = AttackDecay(t, 0.004, shape.decay);
    double sample = body.Low(noise.Next(), cutoff, 0.9);
    // Crackles: a random burst now and then, each dying within a few milliseconds, thinning out as
    // the blast dies and darkening with it, so the tail still sinks.
    const double crackleOdds = 0.004 * shape.crackle * std::exp(-t / shape.decay);
    if (shape.crackle > 0.0 && noise.Uniform(0.0, 1.0) < crackleOdds) crackleLevel = noise.Uniform(0.5, 1.0);
    crackleLevel *= 0.985;
    sample += crackleFilter.Band(noise.Next() * crackleLevel, cutoff * 1.5, 1.0) * 2.0 * shape.crackle;
    const double boomHz = Glide(t, shape.seconds * 0.6, shape.boomFrom, shape.boomTo);
    sample += Sine(boom.Step(boomHz)) * shape.boomLevel * AttackDecay(t, 0.006, shape.decay * 0.8);
    return sample * level;
  });
}

void Saturate(Wave& wave, double drive) {
  double peak = 0.0;
  for (const double s : wave) peak = std::max(peak, std::fabs(s));
  if (peak <= 0.0 || drive <= 0.0) return;
  for (double& s : wave) s = std::tanh(drive * s / peak) / std::tanh(drive);
}

void Finish(Wave& wave, double peakDb, bool loop) {
  if (wave.empty()) return;
  if (!loop) {
    // One-pole DC blocker (corner near 20 Hz).
    double previousIn = 0.0, previousOut = 0.0;
    for (double& s : wave) {
      const double out = s - previousIn + 0.9943 * previousOut;
      previousIn = s;
      previousOut = out;
      s = out;
    }
    const std::size_t fadeIn = std::min<std::size_t>(wave.size() / 4, static_cast<std::size_t>(Samples(0.001)));
    const std::size_t fadeOut = std::min<std::size_t>(wave.size() / 4, static_cast<std::size_t>(Samples(0.012)));
    for (std::size_t i = 0; i < fadeIn; ++i) wave[i] *= static_cast<double>(i) / fadeIn;
    for (std::size_t i = 0; i < fadeOut; ++i) wave[wave.size() - 1 - i] *= static_cast<double>(i) / fadeOut;
  }
  double peak = 0.0;
  for (const double s : wave) peak = std::max(peak, std::fabs(s));
  if (peak <= 0.0) return;
  const double gain = std::pow(10.0, peakDb / 20.0) / peak;
  for (double& s : wave) s *= gain;
}

std::vector<std::int16_t> Quantise(const Wave& wave) {
  std::vector<std::int16_t> pcm(wave.size());
  for (std::size_t i = 0; i < wave.size(); ++i) {
    const double scaled = std::clamp(wave[i], -1.0, 1.0) * 32767.0;
    pcm[i] = static_cast<std::int16_t>(std::lround(scaled));
  }
  return pcm;
}

}  // namespace qv::synth
