// An ordered list of live game objects: append at the end, remove any element at any time (also while
// the list is being walked), count, and walk front to back.
//
// The rules of a walk: an object removed during the walk is not visited afterwards; an object appended
// during the walk is visited when the walk reaches it. Objects are shared: a reference held elsewhere
// (a snake segment's leader, a triangle's partner) keeps a removed object readable, and `InList`
// tells whether it is still in play. Nothing is ever freed under a reader's feet.
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

  // Removes `object` if it is in this list; safe during a walk. The object itself stays alive until
  // the next walk of this list begins, because whoever removed it may not be done with it (a black
  // hole blown apart by a shot still throws its sparks and scores from where it was).
  void Remove(const T& object) {
    if (!object.inList || object.slot >= slots_.size() || slots_[object.slot].get() != &object) return;
    const std::size_t slot = object.slot;
    slots_[slot]->inList = false;
    released_.push_back(std::move(slots_[slot]));
    if (walkDepth_ > 0) {
      holes_ = true;  // compacted when the outermost walk ends
    } else {
      slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(slot));
      Renumber(slot);
    }
    --count_;
  }

  void Clear() {
    for (Ptr& p : slots_)
      if (p) p->inList = false;
    slots_.clear();
    count_ = 0;
    holes_ = false;
  }

  int Count() const { return count_; }
  bool Empty() const { return count_ == 0; }

  // Calls f(T&) for each object front to back, by the rules above.
  template <class F>
  void ForEach(F&& f) {
    if (walkDepth_ == 0) released_.clear();
    ++walkDepth_;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      Ptr keep = slots_[i];  // the object stays alive even if f removes it
      if (keep) f(*keep);
    }
    if (--walkDepth_ == 0 && holes_) Compact();
  }

  // A read-only walk (drawing): nothing may be added or removed meanwhile.
  template <class F>
  void ForEach(F&& f) const {
    for (const Ptr& p : slots_)
      if (p) f(static_cast<const T&>(*p));
  }

  // The shared handle of a listed object, for references between objects.
  Ptr Share(const T& object) const {
    if (!object.inList || object.slot >= slots_.size()) return nullptr;
    return slots_[object.slot];
  }

  // The first object, or null.
  T* Front() {
    for (Ptr& p : slots_)
      if (p) return p.get();
    return nullptr;
  }

 private:
  void Renumber(std::size_t from) {
    for (std::size_t i = from; i < slots_.size(); ++i)
      if (slots_[i]) slots_[i]->slot = i;
  }

  void Compact() {
    std::size_t out = 0;
    for (std::size_t i = 0; i < slots_.size(); ++i)
      if (slots_[i]) slots_[out++] = std::move(slots_[i]);
    slots_.resize(out);
    Renumber(0);
    holes_ = false;
  }

  std::vector<Ptr> slots_;
  std::vector<Ptr> released_;  // removed objects, kept alive until the next walk begins
  int count_ = 0;
  int walkDepth_ = 0;
  bool holes_ = false;
};

}  // namespace qv
