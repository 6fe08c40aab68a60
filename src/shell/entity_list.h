// An ordered list of live game objects: append at the end, remove any element at any time (also while
// the list is being walked), count, and walk front to back.
//
// The rules of a walk: an object removed during the walk is not visited afterwards; an object appended
// during the walk is visited when the walk reaches it. A removed object stays alive until
// `FreeRemoved` (the world calls it at the start of every frame), so whoever removed it may go on
// reading it: a black hole shot to pieces still throws its sparks and scores from where it was.
// Objects are shared: a reference held elsewhere (a snake segment's next, a triangle's partner) keeps
// a removed object readable, and `inList` tells whether it is still in play.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace qv {

// The part of every listed object that the list itself keeps.
struct Listed {
  bool inList = false;
  std::size_t slot = 0;
};

template <class T>
class EntityList {
 public:
  using Ptr = std::shared_ptr<T>;

  T& Append(Ptr object) {
    T& ref = *object;
    ref.inList = true;
    ref.slot = slots_.size();
    slots_.push_back(std::move(object));
    ++count_;
    return ref;
  }

  // Removes `object` if it is in this list; safe during a walk.
  void Remove(const T& object) {
    if (!object.inList || object.slot >= slots_.size() || slots_[object.slot].get() != &object) return;
    slots_[object.slot]->inList = false;
    removed_.push_back(slots_[object.slot]);
    if (walkDepth_ > 0) {
      holes_ = true;  // the slot is dropped when the outermost walk ends
    } else {
      slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(object.slot));
      Renumber(object.slot);
    }
    --count_;
  }

  void Clear() {
    for (Ptr& p : slots_) {
      if (p->inList) removed_.push_back(p);
      p->inList = false;
    }
    count_ = 0;
    if (walkDepth_ > 0) {
      holes_ = true;
    } else {
      slots_.clear();
      holes_ = false;
    }
  }

  // Lets go of the objects removed since the last call.
  void FreeRemoved() { removed_.clear(); }

  int Count() const { return count_; }
  bool Empty() const { return count_ == 0; }

  // Calls f(T&) for each object front to back, by the rules above.
  template <class F>
  void ForEach(F&& f) {
    ++walkDepth_;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      T* object = slots_[i].get();
      if (object->inList) f(*object);
    }
    if (--walkDepth_ == 0 && holes_) Compact();
  }

  // A read-only walk (drawing): nothing may be added or removed meanwhile.
  template <class F>
  void ForEach(F&& f) const {
    for (const Ptr& p : slots_)
      if (p->inList) f(static_cast<const T&>(*p));
  }

  // Keeps every slot where it is until the matching Release: objects removed meanwhile stay alive and
  // in place (marked out of play), objects appended go after them. Lets an index of the list's
  // slots stay valid while the list changes.
  void Hold() { ++walkDepth_; }
  void Release() {
    if (--walkDepth_ == 0 && holes_) Compact();
  }
  // The slots, in list order, including objects removed while the list is held.
  std::size_t SlotCount() const { return slots_.size(); }
  T* SlotObject(std::size_t slot) const { return slots_[slot].get(); }

  // The first object, or null.
  T* Front() { return Find([](const T&) { return true; }); }

  // The first object in list order for which pred(object) holds, or null. Changes nothing.
  template <class Pred>
  T* Find(Pred&& pred) {
    for (const Ptr& p : slots_)
      if (p->inList && pred(static_cast<const T&>(*p))) return p.get();
    return nullptr;
  }

  // The shared handle of a listed object, for references between objects.
  Ptr Share(const T& object) const {
    if (!object.inList || object.slot >= slots_.size()) return nullptr;
    return slots_[object.slot];
  }

 private:
  void Renumber(std::size_t from) {
    for (std::size_t i = from; i < slots_.size(); ++i) slots_[i]->slot = i;
  }

  void Compact() {
    std::size_t out = 0;
    for (std::size_t i = 0; i < slots_.size(); ++i)
      if (slots_[i]->inList) slots_[out++] = std::move(slots_[i]);
    slots_.resize(out);
    Renumber(0);
    holes_ = false;
  }

  std::vector<Ptr> slots_;
  std::vector<Ptr> removed_;  // kept alive until FreeRemoved
  int count_ = 0;
  int walkDepth_ = 0;
  bool holes_ = false;
};

}  // namespace qv
