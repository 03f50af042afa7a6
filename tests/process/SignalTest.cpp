#include "process/Signal.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tandrel {
namespace {

TEST(SignalTest, EveryConnectedSlotSeesTheArgumentsInConnectionOrder) {
  Signal<const std::string&, int> signal;
  std::vector<std::string> seen;
  Connection a = signal.connect(
      [&](const std::string& s, int n) { seen.push_back("a" + s + std::to_string(n)); });
  Connection b = signal.connect(
      [&](const std::string& s, int n) { seen.push_back("b" + s + std::to_string(n)); });
  signal.emit("x", 1);
  EXPECT_EQ(seen, (std::vector<std::string>{"ax1", "bx1"}));
}

TEST(SignalTest, DroppingOrDisconnectingTheTokenStopsTheCalls) {
  Signal<> signal;
  int calls = 0;
  {
    Connection c = signal.connect([&] { ++calls; });
    signal.emit();
  }
  signal.emit();
  Connection d = signal.connect([&] { ++calls; });
  d.disconnect();
  EXPECT_FALSE(d.connected());
  signal.emit();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(signal.connection_count(), 0u);
}

TEST(SignalTest, AMovedTokenKeepsTheConnectionAndAnAssignedOneDropsItsOld) {
  Signal<> signal;
  int first = 0, second = 0;
  Connection a = signal.connect([&] { ++first; });
  Connection moved = std::move(a);
  EXPECT_FALSE(a.connected());
  EXPECT_TRUE(moved.connected());
  moved = signal.connect([&] { ++second; });
  signal.emit();
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
}

TEST(SignalTest, ATokenOutlivingItsSignalIsHarmless) {
  Connection c;
  {
    Signal<int> signal;
    c = signal.connect([](int) {});
    EXPECT_TRUE(c.connected());
  }
  EXPECT_FALSE(c.connected());
  c.disconnect();
}

TEST(SignalTest, SlotsMayDisconnectThemselvesAndOthersWhileEmitting) {
  Signal<> signal;
  std::vector<std::string> seen;
  Connection self, other;
  self = signal.connect([&] {
    seen.push_back("self");
    self.disconnect();
    other.disconnect();
  });
  other = signal.connect([&] { seen.push_back("other"); });
  signal.emit();
  signal.emit();
  EXPECT_EQ(seen, std::vector<std::string>{"self"});
}

TEST(SignalTest, ASlotConnectedDuringAnEmitIsFirstCalledByTheNext) {
  Signal<> signal;
  int late = 0;
  std::optional<Connection> added;
  Connection c = signal.connect([&] {
    if (!added) added = signal.connect([&] { ++late; });
  });
  signal.emit();
  EXPECT_EQ(late, 0);
  signal.emit();
  EXPECT_EQ(late, 1);
}

TEST(SignalTest, EmittingAgainFromASlotReachesEverySlotAgain) {
  Signal<int> signal;
  std::vector<int> seen;
  Connection a = signal.connect([&](int depth) {
    seen.push_back(depth);
    if (depth == 0) signal.emit(1);
  });
  Connection b = signal.connect([&](int depth) { seen.push_back(10 + depth); });
  signal.emit(0);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 11, 10}));
}

TEST(SignalTest, ASlotMayDestroyTheSignalsOwner) {
  struct Owner {
    Signal<> gone;
  };
  auto owner = std::make_unique<Owner>();
  int after = 0;
  Connection a = owner->gone.connect([&] { owner.reset(); });
  Connection b = owner->gone.connect([&] { ++after; });
  owner->gone.emit();
  EXPECT_EQ(owner, nullptr);
  EXPECT_EQ(after, 1);
  EXPECT_FALSE(a.connected());
}

}  // namespace
}  // namespace tandrel
