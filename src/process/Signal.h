#pragma once

// A change signal of the window models, with no widget toolkit in it: a
// mirror connects a callback and keeps the returned Connection; dropping the
// Connection disconnects. Signals belong to the thread that owns the models
// (the main thread); nothing here locks.
//
// Emitting works on a snapshot of the connections, so a callback may connect
// or disconnect (itself or others) and may emit again: a callback
// disconnected during an emit is not called afterwards; one connected during
// an emit is first called by the next emit.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tandrel {

namespace signal_detail {
struct Link {
  bool connected = true;
};
}  // namespace signal_detail

class Connection {
 public:
  Connection() = default;
  explicit Connection(std::weak_ptr<signal_detail::Link> link) : link_(std::move(link)) {}
  ~Connection() { disconnect(); }
  Connection(Connection&& other) noexcept : link_(std::move(other.link_)) { other.link_.reset(); }
  Connection& operator=(Connection&& other) noexcept {
    if (this != &other) {
      disconnect();
      link_ = std::move(other.link_);
      other.link_.reset();
    }
    return *this;
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Safe when the signal is gone already.
  void disconnect() {
    if (auto link = link_.lock()) link->connected = false;
    link_.reset();
  }
  bool connected() const {
    auto link = link_.lock();
    return link && link->connected;
  }

 private:
  std::weak_ptr<signal_detail::Link> link_;
};

template <class... Args>
class Signal {
 public:
  Signal() = default;
  Signal(const Signal&) = delete;
  Signal& operator=(const Signal&) = delete;

  [[nodiscard]] Connection connect(std::function<void(Args...)> slot) {
    std::erase_if(slots_, [](const auto& s) { return !s->connected; });
    auto entry = std::make_shared<Slot>();
    entry->call = std::move(slot);
    slots_.push_back(entry);
    return Connection(std::weak_ptr<signal_detail::Link>(entry));
  }

  void emit(Args... args) const {
    // The snapshot keeps every slot alive while it runs, even when the
    // signal's owner is destroyed by a callback.
    const auto snapshot = slots_;
    for (const auto& slot : snapshot)
      if (slot->connected && slot->call) slot->call(args...);
  }

  // Connected callbacks, for tests and for a front end's checks.
  std::size_t connection_count() const {
    std::size_t n = 0;
    for (const auto& slot : slots_) n += slot->connected ? 1 : 0;
    return n;
  }

 private:
  struct Slot : signal_detail::Link {
    std::function<void(Args...)> call;
  };
  std::vector<std::shared_ptr<Slot>> slots_;
};

}  // namespace tandrel
