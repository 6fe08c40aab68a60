// What every enemy kind shares: the common fields, the spawn protocol, the pieces of the per-frame
// skeleton (wall bounce, separation, speed cap, ship contact, the black-hole pull), the kill protocol
// and the drawing convention (a translucent halo polygon under an additively blended image).
#pragma once

#include <cmath>

#include "audio/sound_files.h"
#include "platform/graphics.h"
#include "settings/colours.h"
#include "shell/entity_list.h"

namespace qv {

struct Game;
struct BlackHole;

// The common fields, first in every kind.
struct Enemy : Listed {
  float x = 0, y = 0;
  float vx = 0, vy = 0;
  float spin = 0;      // frame counter in degrees that drives rotation and animation
  int killedShip = 0;  // touched the ship: survives the partial clear of the death sequence
  int spawnDelay = 0;  // frames left before the enemy becomes active
};

// Spawn protocol, steps 1 and 3 to 5: moves the requested point away from the ship (`placement` 0:
// 160 pixels on a circle; 1: 40 pixels straight away), with the kind's cap tested by the caller in
// between through `AdjustForSpawn` / `FinishSpawn`.
void AdjustForSpawn(Game& game, float& x, float& y, int placement);
// Plays the spawn sound, sets position, spin, a random direction (whole degrees) with a speed in
// [minSpeed, maxSpeed) and the delay. `spinStart` < 0 means a random whole number 0..359.
void FinishSpawn(Game& game, Enemy& e, float x, float y, float spinStart, float minSpeed, float maxSpeed, int delay,
                 Sound spawnSound);
// The same without the sound (a cube's halves appear silently).
void StartMoving(Game& game, Enemy& e, float x, float y, float spinStart, float minSpeed, float maxSpeed, int delay);

// Positional sound at the enemy's place.
void PlayAt(Game& game, Sound sound, float rate, float x, float y);

// Wall bounce with margin m, per axis: the velocity turns inward and is added once more.
void WallBounce(Game& game, Enemy& e, float margin);
// The same rule inside any w x h area.
void BounceInside(float& x, float& y, float& vx, float& vy, float margin, float w, float h);

// Pushes `self` away from every other member of `list` closer than sqrt(dist2): the sign of the
// offset toward the other is subtracted per axis, times `step`.
template <class T>
void Separate(EntityList<T>& list, T& self, float dist2, float step) {
  list.ForEach([&](T& other) {
    if (&other == &self) return;
    const float dx = other.x - self.x, dy = other.y - self.y;
    if (dx * dx + dy * dy < dist2) {
      self.vx -= static_cast<float>((dx > 0) - (dx < 0)) * step;
      self.vy -= static_cast<float>((dy > 0) - (dy < 0)) * step;
    }
  });
}

// Scales the velocity down to `limit` when it is faster.
void CapSpeed(Enemy& e, float limit);

// Ship contact: below `contact2` squared distance the enemy marks itself and hits the ship. True when
// the ship was destroyed (the caller then removes itself).
bool TouchesShip(Game& game, Enemy& e, float contact2);

// Steering: within `range`, accelerate toward (tx, ty) by `accel`.
void SteerToward(Enemy& e, float tx, float ty, float range, float accel);

// The black-hole pull with the kind's numbers. Returns the hole that swallowed the enemy (the caller
// then ends the enemy and calls the hole's Absorb), or null.
struct HolePull {
  float reachBase, reachPerSize;  // reach R0 + k x size
  float divisor, strength;        // velocity += unit / divisor x (strength - d)
  float swallowBase, swallowPerSize;
};
inline constexpr HolePull kStandardPull{75, 8, 512, 1200, 12, 0.5f};      // squares, pinwheels, diamonds, cubes
inline constexpr HolePull kSeekerPull{75, 6, 1024, 700, 0, 0.5f};
inline constexpr HolePull kSnakePull{75, 5, 1024, 1200, 12, 0.5f};
inline constexpr HolePull kInterceptorPull{75, 8, 512, 1200, 16, 0.5f};
inline constexpr HolePull kButterflyPull{75, 5, 2048, 500, 12, 1};
inline constexpr HolePull kTrianglePull{25, 5, 1024, 500, 0, 0.5f};
BlackHole* PullTowardHoles(Game& game, Enemy& e, const HolePull& pull);

// Kill protocol, step 1: points and the kill sound when the player made the kill.
void AwardKill(Game& game, const Enemy& e, int points, Sound sound, float rate);
// Sparks in the kind's colour at the enemy, all with one pattern and angle.
void Burst(Game& game, const Enemy& e, int pattern, int count, Rgb colour, float angle);

// Drawing convention: the halo polygon (points relative to the enemy) in the kind's colour, alpha
// blended and rotated, growing and fading with `spin` (or shrinking in while spawning), then the
// image additively in white at `imageRotation`.
void DrawHalo(Game& game, const Enemy& e, Rgb colour, float haloRotation, const float* poly, int points);
void DrawImageAt(Game& game, const Enemy& e, const ImageHandle& image, float rotation, int frame = 0);

// The diamond of half-diagonal 12, which a 45-degree rotation shows as a square.
inline constexpr float kDiamondHalo[8] = {0, 12, 12, 0, 0, -12, -12, 0};

inline float Length(float x, float y) { return std::sqrt(x * x + y * y); }

}  // namespace qv
