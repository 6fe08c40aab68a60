// A spatial index of the enemies the shots test, so that 500 shots in a crowd do not each test every
// enemy twice a frame. It answers exactly as the plain walk does: the first enemy in list order
// within reach. Enemies do not move while the shots fly (only their velocities change), so the index
// is built once before the shots' update and the lists are held meanwhile: a removed enemy stays in
// its slot (out of play) and one appended during the walk (a cube's half, a burst's seekers) is
// checked after the indexed ones.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "shell/entity_list.h"

namespace qv {

template <class T>
class TargetIndex {
 public:
  void Build(EntityList<T>& list, int fieldWidth, int fieldHeight) {
    list_ = &list;
    built_ = list.SlotCount();
    columns_ = std::max(1, (std::max(fieldWidth, 1) + kCell - 1) / kCell);
    rows_ = std::max(1, (std::max(fieldHeight, 1) + kCell - 1) / kCell);
    start_.assign(static_cast<std::size_t>(columns_) * rows_ + 1, 0);
    cellOf_.resize(built_);
    for (std::size_t slot = 0; slot < built_; ++slot) {
      const T* e = list.SlotObject(slot);
      cellOf_[slot] = Cell(Column(e->x), Row(e->y));
      ++start_[cellOf_[slot] + 1];
    }
    for (std::size_t c = 1; c < start_.size(); ++c) start_[c] += start_[c - 1];
    entries_.resize(built_);
    fill_.assign(start_.begin(), start_.end() - 1);
    for (std::size_t slot = 0; slot < built_; ++slot)
      entries_[fill_[cellOf_[slot]]++] = static_cast<std::uint32_t>(slot);
  }

  // The first object in list order within `radius` of (x, y) for which inReach holds (inReach must
  // imply the distance is below `radius`).
  template <class Reach>
  T* First(float x, float y, float radius, Reach inReach) const {
    std::size_t best = SIZE_MAX;
    if (x == x && y == y) {
      const int c0 = Column(x - radius), c1 = Column(x + radius);
      const int r0 = Row(y - radius), r1 = Row(y + radius);
      for (int c = c0; c <= c1; ++c)
        for (int r = r0; r <= r1; ++r) {
          const int cell = Cell(c, r);
          // entries of a cell are in slot order: the first in reach is the cell's best
          for (std::uint32_t k = start_[cell]; k < start_[cell + 1] && entries_[k] < best; ++k) {
            const T* e = list_->SlotObject(entries_[k]);
            if (e->inList && inReach(*e)) {
              best = entries_[k];
              break;
            }
          }
        }
    }
    if (best != SIZE_MAX) return list_->SlotObject(best);
    for (std::size_t slot = built_; slot < list_->SlotCount(); ++slot) {
      T* e = list_->SlotObject(slot);
      if (e->inList && inReach(*e)) return e;
    }
    return nullptr;
  }

  // Calls f on every object in play that may lie within `radius` of (x, y) and whose slot comes
  // before `beforeSlot` (any order).
  template <class F>
  void Near(float x, float y, float radius, std::size_t beforeSlot, F f) const {
    if (x == x && y == y) {
      const int c0 = Column(x - radius), c1 = Column(x + radius);
      const int r0 = Row(y - radius), r1 = Row(y + radius);
      for (int c = c0; c <= c1; ++c)
        for (int r = r0; r <= r1; ++r) {
          const int cell = Cell(c, r);
          for (std::uint32_t k = start_[cell]; k < start_[cell + 1] && entries_[k] < beforeSlot; ++k) {
            T* e = list_->SlotObject(entries_[k]);
            if (e->inList) f(*e);
          }
        }
    }
    for (std::size_t slot = built_; slot < list_->SlotCount() && slot < beforeSlot; ++slot) {
      T* e = list_->SlotObject(slot);
      if (e->inList) f(*e);
    }
  }

 private:
  static constexpr int kCell = 64;
  int Column(float x) const { return Clamp(x, columns_); }
  int Row(float y) const { return Clamp(y, rows_); }
  static int Clamp(float v, int count) {
    if (!(v > 0)) return 0;  // also NaN
    const float c = v / kCell;
    return c >= count - 1 ? count - 1 : static_cast<int>(c);
  }
  int Cell(int c, int r) const { return c * rows_ + r; }

  EntityList<T>* list_ = nullptr;
  std::size_t built_ = 0;
  int columns_ = 1, rows_ = 1;
  std::vector<std::uint32_t> start_, fill_, entries_;
  std::vector<int> cellOf_;
};

}  // namespace qv

namespace qv {

struct Square;
struct Pinwheel;
struct Diamond;
struct Cube;
struct Seeker;
struct Triangle;
struct Snake;
struct Butterfly;
struct Game;

struct ShotTargets {
  bool active = false;
  TargetIndex<Square> squares;
  TargetIndex<Pinwheel> pinwheels;
  TargetIndex<Diamond> diamonds;
  TargetIndex<Cube> cubes;
  TargetIndex<Seeker> seekers;
  TargetIndex<Triangle> triangles;
  TargetIndex<Snake> snakes;
  TargetIndex<Butterfly> butterflies;
};

// Indexes the lists and holds them for the shots' walk; EndShotTargets lets them go.
void BeginShotTargets(Game& game);
void EndShotTargets(Game& game);

}  // namespace qv
