#include "recipes.h"

#include <algorithm>
#include <cmath>

namespace qv::synth {
namespace {

// ---- Enemy arrivals: each kind has its own voice, all short ----

// Square: a low, rising sawtooth buzz with a fast tremolo.
Wave Buzz3() {
  Phase a, b;
  Filter tone;
  const double length = 0.35;
  return Render(length, [&](double t) {
    const double hz = Glide(t, length, 90.0, 150.0);
    double s = Saw(a.Step(hz), hz / kRate) + 0.7 * Saw(b.Step(hz * 1.007), hz * 1.007 / kRate);
    s = tone.Low(s, 1800.0, 1.5);
    const double tremolo = 0.6 + 0.4 * Sine(24.0 * t);
    return s * tremolo * AttackDecay(t, 0.01, 0.5) * Gate(t, 0.0, length, 0.06);
  });
}

// A sine that drops fast in pitch, with a click on top: a bubble popping.
Wave PopAt(double fromHz, double toHz, double tau, std::uint32_t seed) {
  Phase p;
  Noise noise(seed);
  Filter click;
  return Render(0.14, [&](double t) {
    const double hz = Glide(t, 0.05, fromHz, toHz);
    const double body = Sine(p.Step(hz)) * AttackDecay(t, 0.002, tau);
    const double tick = click.High(noise.Next(), 3000.0) * AttackDecay(t, 0.0005, 0.003);
    return body + 0.4 * tick;
  });
}

// Pinwheel: one pop.
Wave Pop2() { return PopAt(900.0, 250.0, 0.03, 11); }

// Diamond: two higher pops in quick succession.
Wave Pop3() {
  Wave wave = PopAt(1300.0, 500.0, 0.025, 12);
  Mix(wave, PopAt(1700.0, 650.0, 0.025, 13), 0.07, 0.9);
  return wave;
}

// Cube: a wobbling FM sweep, heavy at first and thinning out.
Wave Snake1() {
  Phase carrier, modulator;
  const double length = 0.42;
  return Render(length, [&](double t) {
    const double wobble = 1.0 + 0.08 * Sine(9.0 * t);
    const double hz = Glide(t, length, 180.0, 260.0) * wobble;
    const double index = Ramp(t, length, 3.0, 0.5);
    const double s = std::sin(2.0 * kPi * carrier.Step(hz) + index * Sine(modulator.Step(hz * 1.5)));
    return s * AttackDecay(t, 0.02, 0.25);
  });
}

// Seeker: a short throaty grunt, a low buzz through a falling vowel formant.
Wave GruntBorn() {
  Phase p;
  Filter formant, body;
  Noise noise(5);
  const double length = 0.25;
  return Render(length, [&](double t) {
    const double hz = Glide(t, length, 75.0, 55.0) * (1.0 + 0.02 * noise.Next());
    const double buzz = Saw(p.Step(hz), hz / kRate);
    const double vowel = formant.Band(buzz, Glide(t, length, 650.0, 380.0), 4.0);
    return (2.0 * vowel + 0.4 * body.Low(buzz, 300.0)) * AttackDecay(t, 0.015, 0.09);
  });
}

// ---- The black hole ----

// Arrival: a rising whoosh of noise over a swelling sub tone.
Wave Sun1() {
  Noise noise(6);
  Filter band;
  Phase sub;
  const double length = 0.75;
  return Render(length, [&](double t) {
    const double centre = Glide(t, length, 200.0, 2400.0);
    const double whoosh = band.Band(noise.Next(), centre, 5.0);
    const double low = 0.5 * Sine(sub.Step(Glide(t, length, 45.0, 70.0)));
    const double swell = t < 0.45 ? t / 0.45 : std::exp(-(t - 0.45) / 0.09);
    return (2.5 * whoosh + low) * swell;
  });
}

// The hum of an awake hole. Exactly one second, and every partial a whole number of hertz, so each
// one completes whole cycles and the loop point is seamless. 110 and 113 Hz beat three times a
// second; the game raises and lowers the pitch as the hole grows and shrinks.
Wave BondLoop() {
  return Render(1.0, [](double t) {
    const double throb = 1.0 + 0.25 * Sine(4.0 * t);
    const double shimmer = 0.5 + 0.5 * Sine(2.0 * t);
    return throb * (0.5 * Sine(55.0 * t) + 0.35 * Sine(110.0 * t) + 0.28 * Sine(113.0 * t) +
                    0.15 * Sine(165.0 * t) + 0.1 * shimmer * Sine(220.0 * t) + 0.05 * Sine(331.0 * t));
  });
}

// A shot strikes the hole: a short inharmonic FM bell (the game pitches it up for small holes).
Wave SunHit1() {
  Phase carrier, modulator;
  return Render(0.22, [&](double t) {
    const double index = 4.0 * std::exp(-t / 0.05) + 0.5;
    const double s = std::sin(2.0 * kPi * carrier.Step(330.0) + index * Sine(modulator.Step(330.0 * 1.41)));
    return s * AttackDecay(t, 0.002, 0.06);
  });
}

// Something is swallowed: high hiss full of crackles, with a faint ring.
Wave Sizzle1() {
  Noise noise(9);
  Filter hiss;
  Phase ring;
  double crackle = 0.0;
  const double length = 0.35;
  return Render(length, [&](double t) {
    if (noise.Uniform(0.0, 1.0) < 0.01) crackle = noise.Uniform(0.4, 1.0);
    crackle *= 0.99;
    const double s = hiss.High(noise.Next(), 3000.0) * (0.35 + crackle) + 0.1 * Sine(ring.Step(2200.0));
    return s * AttackDecay(t, 0.005, 0.12) * Gate(t, 0.0, length, 0.04);
  });
}

// The hole bursts: a short rising suck, then a large explosion.
Wave SunExp() {
  Phase suck;
  Wave wave = Render(0.15, [&](double t) {
    return Sine(suck.Step(Glide(t, 0.15, 200.0, 900.0))) * Ramp(t, 0.15, 0.2, 0.6);
  });
  ExplosionShape shape;
  shape.seconds = 1.0;
  shape.cutoffFrom = 7000.0;
  shape.cutoffTo = 150.0;
  shape.boomFrom = 90.0;
  shape.boomTo = 30.0;
  shape.decay = 0.28;
  shape.crackle = 0.6;
  shape.seed = 10;
  Mix(wave, Explosion(shape), 0.1, 1.0);
  Saturate(wave, 2.5);
  return wave;
}

// The hole is shot to pieces: a big explosion and a tone that sinks as the energy escapes.
Wave Explo1Big() {
  ExplosionShape shape;
  shape.seconds = 0.9;
  shape.cutoffFrom = 5000.0;
  shape.cutoffTo = 200.0;
  shape.boomFrom = 110.0;
  shape.boomTo = 35.0;
  shape.decay = 0.25;
  shape.crackle = 0.4;
  shape.seed = 11;
  Wave wave = Explosion(shape);
  Phase tone;
  Mix(wave, Render(0.6, [&](double t) {
        return Sine(tone.Step(Glide(t, 0.6, 600.0, 150.0))) * AttackDecay(t, 0.01, 0.15);
      }), 0.0, 0.35);
  Saturate(wave, 2.5);
  return wave;
}

// ---- The snake ----

// Arrival: a whistled "wee", up and back down a little, with vibrato.
Wave Wee() {
  Phase p;
  const double length = 0.45;
  return Render(length, [&](double t) {
    const double contour = t < 0.25 ? Glide(t, 0.25, 500.0, 1500.0) : Glide(t - 0.25, 0.2, 1500.0, 1000.0);
    const double hz = contour * (1.0 + 0.03 * Sine(7.0 * t));
    const double phase = p.Step(hz);
    return (Sine(phase) + 0.15 * Sine(2.0 * phase)) * AttackDecay(t, 0.03, 0.3) * Gate(t, 0.0, length, 0.05);
  });
}

// A tail segment bursts (24 in a row after the head dies): a small crunchy burst.
Wave SnakeHit() {
  Noise noise(13);
  Filter band;
  Phase blip;
  return Render(0.16, [&](double t) {
    const double crunch = band.Band(noise.Next(), Glide(t, 0.12, 1800.0, 600.0), 3.0);
    const double hz = Glide(t, 0.1, 300.0, 150.0);
    return (2.0 * crunch + 0.5 * SoftSquare(blip.Step(hz), 3.0)) * AttackDecay(t, 0.002, 0.04);
  });
}

// A shot glances off the tail: a dull two-tone tink.
Wave TailHit() {
  Phase a, b;
  Noise noise(14);
  return Render(0.09, [&](double t) {
    const double s = Sine(a.Step(700.0)) + 0.6 * Sine(b.Step(1050.0)) + 0.3 * noise.Next() * AttackDecay(t, 0.0, 0.002);
    return s * AttackDecay(t, 0.001, 0.02);
  });
}

// ---- The interceptor ----

// Arrival: a two-tone alarm, three times.
Wave Warn1() {
  Phase p;
  return Render(0.5, [&](double t) {
    const int step = static_cast<int>(t / (0.5 / 6.0));
    const double hz = step % 2 == 0 ? 880.0 : 660.0;
    const double beep = Gate(t, 0.0, 0.5, 0.006) * (step % 2 == 0 ? 1.0 : 0.85);
    return SoftSquare(p.Step(hz), 2.5) * beep;
  });
}

// Out of a turn: a sweeping "vwoom" of FM and resonant noise.
Wave Shield1() {
  Phase carrier, modulator;
  Noise noise(16);
  Filter band;
  const double length = 0.32;
  return Render(length, [&](double t) {
    const double hz = Glide(t, length, 150.0, 600.0);
    const double fm = std::sin(2.0 * kPi * carrier.Step(hz) + 2.0 * Sine(modulator.Step(hz * 2.0)));
    const double air = band.Band(noise.Next(), Glide(t, length, 500.0, 3000.0), 6.0);
    return (fm + 1.5 * air) * AttackDecay(t, 0.03, 0.12);
  });
}

// ---- Butterfly, generator, triangle ----

// Butterfly: a high fluttering warble.
Wave Butterfly() {
  Phase p;
  const double length = 0.35;
  return Render(length, [&](double t) {
    const double hz = 1400.0 + 200.0 * Sine(18.0 * t);
    const double phase = p.Step(hz);
    const double flutter = std::fabs(Sine(15.0 * t));
    return (Sine(phase) + 0.3 * Sine(1.5 * phase)) * flutter * AttackDecay(t, 0.02, 0.2) * Gate(t, 0.0, length, 0.04);
  });
}

// Generator: a meow, a buzzy voice gliding up and down through moving vowel formants.
Wave Cat() {
  Phase p;
  Filter f1, f2;
  const double length = 0.45;
  return Render(length, [&](double t) {
    const double hz = t < 0.15 ? Glide(t, 0.15, 450.0, 650.0) : Glide(t - 0.15, 0.3, 650.0, 380.0);
    const double voice = Saw(p.Step(hz), hz / kRate);
    const double open = t < 0.15 ? Ramp(t, 0.15, 0.0, 1.0) : Ramp(t - 0.15, 0.3, 1.0, 0.3);
    const double s = f1.Band(voice, 700.0 + 400.0 * open, 5.0) + 0.6 * f2.Band(voice, 1800.0 - 600.0 * open, 6.0);
    return 2.0 * s * AttackDecay(t, 0.03, 0.3) * Gate(t, 0.0, length, 0.05);
  });
}

// A shot hits a generator: a short metallic clank (pitched up for bigger generators).
Wave GenHit1() {
  Noise noise(19);
  return Render(0.12, [&](double t) {
    const double ring = Sine(520.0 * t) * Sine(790.0 * t);
    return (ring + 0.3 * noise.Next() * AttackDecay(t, 0.0, 0.004)) * AttackDecay(t, 0.001, 0.03);
  });
}

// A generator is destroyed: an explosion with a falling metallic ring inside it.
Wave GenKilled1() {
  ExplosionShape shape;
  shape.seconds = 0.6;
  shape.cutoffFrom = 4000.0;
  shape.cutoffTo = 250.0;
  shape.boomFrom = 100.0;
  shape.boomTo = 40.0;
  shape.decay = 0.18;
  shape.seed = 20;
  Wave wave = Explosion(shape);
  Phase a, b;
  Mix(wave, Render(0.5, [&](double t) {
        const double hz = Glide(t, 0.5, 800.0, 200.0);
        return Sine(a.Step(hz)) * Sine(b.Step(hz * 1.37)) * AttackDecay(t, 0.002, 0.12);
      }), 0.0, 0.5);
  Saturate(wave, 2.0);
  return wave;
}

// Triangle: a thin pulse buzz with a nervous pitch warble, slightly falling.
Wave Buzz1() {
  Phase p;
  Filter tone;
  const double length = 0.3;
  return Render(length, [&](double t) {
    const double hz = Glide(t, length, 220.0, 180.0) * (1.0 + 0.05 * Sine(40.0 * t));
    const double s = tone.Low(Pulse(p.Step(hz), hz / kRate, 0.3), 2500.0);
    return s * AttackDecay(t, 0.008, 0.2) * Gate(t, 0.0, length, 0.04);
  });
}

// A bound triangle shrugs off a shot: a ping and its echoes, each duller than the last.
Wave Echo1() {
  Phase p;
  const Wave ping = Render(0.08, [&](double t) { return Sine(p.Step(1100.0)) * AttackDecay(t, 0.001, 0.02); });
  Wave wave;
  Filter dull;
  double gain = 1.0;
  for (int echo = 0; echo < 5; ++echo) {
    Mix(wave, ping, 0.1 * echo, gain);
    gain *= 0.55;
  }
  wave.resize(static_cast<std::size_t>(Samples(0.5)), 0.0);
  // A gentle low-pass over the whole tail takes the edge off the later repeats.
  for (std::size_t i = 0; i < wave.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    wave[i] = dull.Low(wave[i], Glide(t, 0.45, 6000.0, 1500.0));
  }
  return wave;
}

// A triangle dies: a boing, its wobble settling as the spring comes to rest.
Wave Elastic() {
  Phase p;
  const double length = 0.42;
  return Render(length, [&](double t) {
    const double depth = 0.3 * std::exp(-t / 0.12);
    const double hz = Glide(t, length, 400.0, 200.0) * (1.0 + depth * Sine(14.0 * t));
    const double phase = p.Step(hz);
    return (Sine(phase) + 0.25 * Sine(2.0 * phase)) * AttackDecay(t, 0.005, 0.15);
  });
}

// ---- Rewards and the flow of the game ----

// A bright, bell-like note: sine with a touch of the third harmonic.
Wave BellNote(double hz, double length, double tau) {
  Phase p;
  return Render(length, [&](double t) {
    const double phase = p.Step(hz);
    return (Sine(phase) + 0.3 * Sine(3.0 * phase)) * AttackDecay(t, 0.003, tau);
  });
}

// Power-up collected: a quick bright arpeggio up to the octave.
Wave Bonus1() {
  Wave wave;
  const int notes[] = {84, 88, 91, 96};  // C6 E6 G6 C7
  for (int i = 0; i < 4; ++i) Mix(wave, BellNote(NoteHz(notes[i]), i == 3 ? 0.14 : 0.12, 0.06), 0.07 * i, 1.0);
  return wave;
}

// Get ready: a sweep rising out of the dark into a bright chord.
Wave Startup() {
  Phase sweep;
  Filter tone;
  Wave wave = Render(0.65, [&](double t) {
    const double hz = Glide(t, 0.6, 150.0, 1200.0);
    const double s = tone.Low(Saw(sweep.Step(hz), hz / kRate), Glide(t, 0.6, 500.0, 5000.0));
    return s * Ramp(t, 0.6, 0.3, 0.8) * Gate(t, 0.0, 0.65, 0.05);
  });
  const int chord[] = {72, 76, 79, 84};  // C5 E5 G5 C6
  for (const int note : chord) {
    Phase p;
    const double hz = NoteHz(note);
    Mix(wave, Render(0.45, [&](double t) {
          return Sine(p.Step(hz * (1.0 + 0.004 * Sine(6.0 * t)))) * AttackDecay(t, 0.01, 0.2);
        }), 0.55, 0.35);
  }
  return wave;
}

// The ship is destroyed: a long wide explosion and a tone powering down.
Wave Die1() {
  ExplosionShape shape;
  shape.seconds = 1.2;
  shape.cutoffFrom = 7000.0;
  shape.cutoffTo = 120.0;
  shape.boomFrom = 120.0;
  shape.boomTo = 25.0;
  shape.decay = 0.35;
  shape.boomLevel = 0.8;
  shape.crackle = 0.8;
  shape.seed = 26;
  Wave wave = Explosion(shape);
  Phase tone;
  Mix(wave, Render(1.0, [&](double t) {
        return SoftSquare(tone.Step(Glide(t, 1.0, 900.0, 80.0)), 1.5) * AttackDecay(t, 0.01, 0.3);
      }), 0.0, 0.25);
  Saturate(wave, 3.0);
  return wave;
}

// A volley leaves the ship (several times a second): a very short light "pew".
Wave ShotBorn() {
  Phase p;
  return Render(0.07, [&](double t) {
    return SoftSquare(p.Step(Glide(t, 0.06, 1500.0, 600.0)), 1.5) * AttackDecay(t, 0.001, 0.02);
  });
}

// A shot dies at a wall: the smallest tick of noise.
Wave ShotWall() {
  Noise noise(28);
  Filter band;
  return Render(0.05, [&](double t) { return band.Band(noise.Next(), 3500.0, 2.0) * AttackDecay(t, 0.001, 0.01); });
}

// The last ship is lost: three falling minor notes, then a long slide into the depths.
Wave GameOver() {
  Phase p;
  Filter tone;
  const double length = 1.6;
  return Render(length, [&](double t) {
    double hz;
    if (t < 0.25) {
      hz = NoteHz(67);  // G4
    } else if (t < 0.5) {
      hz = NoteHz(63);  // E flat 4
    } else {
      hz = Glide(t - 0.5, 1.0, NoteHz(60), 65.0);  // C4 sliding down two octaves
    }
    const double s = tone.Low(SoftSquare(p.Step(hz), 2.0), hz * 4.0);
    // The two short notes dip between them; the slide swells back up without a step.
    const double notes = t < 0.5 ? 0.35 + 0.65 * Gate(std::fmod(t, 0.25), 0.0, 0.24, 0.01)
                                 : std::min(1.0, 0.35 + 0.65 * (t - 0.5) / 0.01);
    const double fade = t < 0.5 ? 1.0 : std::exp(-(t - 0.5) / 0.45);
    return s * notes * fade * Gate(t, 0.0, length, 0.01);
  });
}

// The bomb: the biggest sound in the game, a bright crack over a deep rolling boom.
Wave Explo1() {
  ExplosionShape crack;
  crack.seconds = 1.4;
  crack.cutoffFrom = 9000.0;
  crack.cutoffTo = 300.0;
  crack.boomFrom = 70.0;
  crack.boomTo = 20.0;
  crack.boomLevel = 1.0;
  crack.decay = 0.4;
  crack.crackle = 1.0;
  crack.seed = 30;
  Wave wave = Explosion(crack);
  Noise noise(31);
  Filter rumble;
  Mix(wave, Render(1.4, [&](double t) {
        return rumble.Low(noise.Next(), Glide(t, 1.2, 400.0, 60.0), 1.2) * AttackDecay(t, 0.02, 0.5);
      }), 0.0, 1.5);
  Saturate(wave, 3.5);
  return wave;
}

// Extra life: a warm electric-piano jingle rising to a held note.
Wave BrainBorn() {
  Wave wave;
  const int notes[] = {79, 84, 88, 91};  // G5 C6 E6 G6
  for (int i = 0; i < 4; ++i) {
    Phase carrier, modulator;
    const double hz = NoteHz(notes[i]);
    const double length = i == 3 ? 0.3 : 0.12;
    Mix(wave, Render(length, [&](double t) {
          const double vibrato = i == 3 ? 1.0 + 0.006 * Sine(6.0 * t) : 1.0;
          const double index = 1.5 * std::exp(-t / 0.05);
          return std::sin(2.0 * kPi * carrier.Step(hz * vibrato) + index * Sine(modulator.Step(hz))) *
                 AttackDecay(t, 0.004, i == 3 ? 0.15 : 0.08) * Gate(t, 0.0, length, 0.01);
        }), 0.1 * i, 1.0);
  }
  return wave;
}

// Extra bomb: two chopped buzzing notes, a fourth apart.
Wave Buzz2() {
  Phase p;
  Filter tone;
  const double length = 0.5;
  return Render(length, [&](double t) {
    const double hz = t < 0.25 ? 110.0 : 146.8;
    const double s = tone.Low(Saw(p.Step(hz), hz / kRate) + 0.5 * Pulse(std::fmod(p.value * 2.0, 1.0), 2.0 * hz / kRate, 0.5), 3000.0);
    const double chop = 0.55 + 0.45 * SoftSquare(12.0 * t, 3.0);
    return s * chop * (Gate(t, 0.0, 0.24, 0.01) + Gate(t, 0.25, 0.25, 0.01));
  });
}

// The multiplier rises: a glissando climbing two octaves, brightening as it goes.
Wave Bonus2() {
  Phase p, octave;
  Filter tone;
  const double length = 0.42;
  return Render(length, [&](double t) {
    const double hz = Glide(t, length, 400.0, 1600.0);
    const double s = tone.Low(Saw(p.Step(hz), hz / kRate), hz * 3.0) + 0.4 * Sine(octave.Step(hz * 2.0));
    return s * Gate(t, 0.0, length, 0.03);
  });
}

// A score power-up appears: a scatter of high sparkling pings.
Wave BonusBorn() {
  Noise noise(34);
  Wave wave = Render(0.45, [](double) { return 0.0; });
  for (int i = 0; i < 9; ++i) {
    const double hz = noise.Uniform(2000.0, 4000.0);
    const double at = 0.04 * i + noise.Uniform(0.0, 0.02);
    Mix(wave, BellNote(hz, 0.08, 0.025), at, 0.7);
  }
  Phase pad;
  Mix(wave, Render(0.4, [&](double t) { return Sine(pad.Step(NoteHz(88))) * Gate(t, 0.0, 0.4, 0.1); }), 0.0, 0.2);
  return wave;
}

// An enemy is shot dead (the commonest sound): a crisp little explosion with a snap.
Wave QuarkHit() {
  ExplosionShape shape;
  shape.seconds = 0.26;
  shape.cutoffFrom = 6000.0;
  shape.cutoffTo = 400.0;
  shape.boomFrom = 200.0;
  shape.boomTo = 60.0;
  shape.boomLevel = 0.5;
  shape.decay = 0.07;
  shape.seed = 36;
  Wave wave = Explosion(shape);
  Saturate(wave, 1.5);
  return wave;
}

// An interceptor is shot dead: a heavier explosion with a metallic ring.
Wave QuarkHit2() {
  ExplosionShape shape;
  shape.seconds = 0.38;
  shape.cutoffFrom = 5000.0;
  shape.cutoffTo = 250.0;
  shape.boomFrom = 150.0;
  shape.boomTo = 45.0;
  shape.decay = 0.1;
  shape.crackle = 0.3;
  shape.seed = 37;
  Wave wave = Explosion(shape);
  Mix(wave, Render(0.3, [](double t) { return Sine(440.0 * t) * Sine(620.0 * t) * AttackDecay(t, 0.002, 0.06); }), 0.0, 0.4);
  Saturate(wave, 1.5);
  return wave;
}

}  // namespace

const std::vector<Recipe>& Recipes() {
  static const std::vector<Recipe> recipes = {
      {Sound::Buzz3, -4.0, Buzz3},
      {Sound::Pop2, -4.0, Pop2},
      {Sound::Pop3, -4.0, Pop3},
      {Sound::Snake1, -7.0, Snake1},
      {Sound::GruntBorn, -3.0, GruntBorn},
      {Sound::Sun1, -3.0, Sun1},
      {Sound::BondLoop, -8.0, BondLoop},
      {Sound::SunHit1, -5.0, SunHit1},
      {Sound::Sizzle1, -5.0, Sizzle1},
      {Sound::SunExp, -3.0, SunExp},
      {Sound::Explo1Big, -3.0, Explo1Big},
      {Sound::Wee, -7.0, Wee},
      {Sound::SnakeHit, -7.0, SnakeHit},
      {Sound::TailHit, -7.0, TailHit},
      {Sound::Warn1, -12.0, Warn1},
      {Sound::Shield1, -6.0, Shield1},
      {Sound::Butterfly, -5.0, Butterfly},
      {Sound::Cat, -6.0, Cat},
      {Sound::GenHit1, -6.0, GenHit1},
      {Sound::GenKilled1, -3.0, GenKilled1},
      {Sound::Buzz1, -7.0, Buzz1},
      {Sound::Echo1, -5.0, Echo1},
      {Sound::Elastic, -6.0, Elastic},
      {Sound::Bonus1, -7.0, Bonus1},
      {Sound::Startup, -3.0, Startup},
      {Sound::Die1, -2.0, Die1},
      {Sound::ShotBorn, -12.0, ShotBorn},
      {Sound::ShotWall, -14.0, ShotWall},
      {Sound::GameOver, -8.0, GameOver},
      {Sound::Explo1, -2.0, Explo1},
      {Sound::BrainBorn, -6.0, BrainBorn},
      {Sound::Buzz2, -7.0, Buzz2},
      {Sound::Bonus2, -10.0, Bonus2},
      {Sound::BonusBorn, -5.0, BonusBorn},
      {Sound::QuarkHit, -6.0, QuarkHit},
      {Sound::QuarkHit2, -5.0, QuarkHit2},
  };
  return recipes;
}

}  // namespace qv::synth
