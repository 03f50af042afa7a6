#pragma once

// Owned<T>: sole ownership of an object whose type the owner's header only
// forward-declares. The process-wide set holds objects of the floors above
// it (the trace, the diagnostics' windows), and a session holds the
// reference data without including their headers; the deleter is captured
// where the object is handed over, which is always a place that knows the
// complete type.

#include <memory>
#include <utility>

namespace tandrel {

template <class T>
class Owned {
 public:
  Owned() = default;
  Owned(std::unique_ptr<T> object) { reset(std::move(object)); }  // NOLINT: implicit by design
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept { swap(other); }
  Owned& operator=(Owned&& other) noexcept {
    Owned(std::move(other)).swap(*this);
    return *this;
  }
  Owned& operator=(std::unique_ptr<T> object) {
    reset(std::move(object));
    return *this;
  }
  ~Owned() { reset(); }

  // Frees the object; a destructor that still reaches the set sees the slot
  // empty, not half freed.
  void reset() {
    T* old = pointer_;
    void (*old_deleter)(T*) = deleter_;
    pointer_ = nullptr;
    deleter_ = nullptr;
    if (old != nullptr) old_deleter(old);
  }
  // Frees the object held, then takes the new one with its deleter.
  void reset(std::unique_ptr<T> object) {
    reset();
    if (object) {
      deleter_ = [](T* p) { delete p; };
      pointer_ = object.release();
    }
  }

  T* get() const { return pointer_; }
  T& operator*() const { return *pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  void swap(Owned& other) noexcept {
    std::swap(pointer_, other.pointer_);
    std::swap(deleter_, other.deleter_);
  }

  T* pointer_ = nullptr;
  void (*deleter_)(T*) = nullptr;
};

}  // namespace tandrel
