#include "import/OrderedPipeline.h"

#include <atomic>
#include <chrono>
#include <random>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

namespace vantry::import {

namespace {

using namespace std::chrono_literals;

// Producers that take their time unevenly, so that items finish out of order.
void Jitter(size_t index) {
  if (index % 3 == 0) std::this_thread::sleep_for(std::chrono::microseconds(50 * (index % 7)));
}

TEST(OrderedPipelineTest, ItemsComeInOrderAndProducersStayWithinTheWindow) {
  struct Case {
    size_t count;
    PipelineLimits limits;
  } cases[] = {
      {0, {2, 4, 100}},   {1, {2, 4, 100}},  {200, {0, 4, 100}}, {200, {1, 1, 100}},
      {200, {3, 5, 100}}, {200, {2, 32, 1}}, {200, {2, 8, 0}},   {57, {4, 2, 1000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("count " + std::to_string(c.count) + ", threads " + std::to_string(c.limits.threads) + ", window " +
                 std::to_string(c.limits.window) + ", budget " + std::to_string(c.limits.budget));
    std::atomic<size_t> taken = 0, tooFarAhead = 0;
    OrderedPipeline<std::string> pipeline(
        c.count, c.limits,
        [&](size_t i) {
          // The item being handed out may already count as taken for the pipeline.
          if (i > taken + c.limits.window) ++tooFarAhead;
          Jitter(i);
          return "item " + std::to_string(i);
        },
        [](const std::string& item) { return item.size(); });
    for (size_t i = 0; i < c.count; ++i) {
      ASSERT_EQ(pipeline.Next(), "item " + std::to_string(i));
      ++taken;
    }
    EXPECT_EQ(tooFarAhead, 0u);
  }
}

// With the consumer away, producers fill the window, or stop once the finished items
// weigh more than the budget.
TEST(OrderedPipelineTest, ProducersStopAtTheWindowOrTheBudget) {
  struct Case {
    PipelineLimits limits;
    size_t startedAtMost, startedAtLeast;
  } cases[] = {
      {{2, 8, 1000}, 8, 8},  // the window is full
      {{2, 8, 10}, 2, 1},    // one finished item is over the budget; the other thread may have begun one
      {{1, 8, 25}, 3, 3},    // three items of 10 pass 25
  };
  for (const Case& c : cases) {
    std::atomic<size_t> started = 0;
    OrderedPipeline<int> pipeline(
        100, c.limits, [&](size_t i) { return ++started, static_cast<int>(i); }, [](int) { return size_t{10}; });
    std::this_thread::sleep_for(100ms);
    EXPECT_LE(started, c.startedAtMost) << c.limits.budget;
    EXPECT_GE(started, c.startedAtLeast) << c.limits.budget;
    for (int i = 0; i < 100; ++i) ASSERT_EQ(pipeline.Next(), i);
  }
}

TEST(OrderedPipelineTest, AFailedItemFailsWhereItWouldHaveComeAndTheOthersStillArrive) {
  for (size_t threads : {0, 1, 3}) {
    OrderedPipeline<int> pipeline(
        10, {threads, 4, 100},
        [](size_t i) {
          if (i == 5) throw std::runtime_error("item 5 failed");
          return static_cast<int>(i);
        },
        [](int) { return size_t{1}; });
    for (int i = 0; i < 5; ++i) EXPECT_EQ(pipeline.Next(), i) << threads;
    EXPECT_THROW(pipeline.Next(), std::runtime_error) << threads;
    for (int i = 6; i < 10; ++i) EXPECT_EQ(pipeline.Next(), i) << threads;
  }
}

// While its item is under way, the consumer makes the following ones: here item 0 is
// only finished once some other item has been made, with one producer thread.
TEST(OrderedPipelineTest, AWaitingConsumerMakesItemsItself) {
  std::atomic<bool> laterItemMade = false;
  OrderedPipeline<bool> pipeline(
      20, {1, 8, 1000},
      [&](size_t i) {
        if (i > 0) return laterItemMade = true;
        for (int wait = 0; wait < 2000 && !laterItemMade; ++wait) std::this_thread::sleep_for(1ms);
        return laterItemMade.load();
      },
      [](bool) { return size_t{1}; });
  for (int i = 0; i < 20; ++i) EXPECT_TRUE(pipeline.Next()) << i;
}

// A consumer that gives up early leaves the producers stopped, not making every item.
TEST(OrderedPipelineTest, LeavingEarlyStopsTheProducers) {
  std::atomic<size_t> started = 0;
  {
    OrderedPipeline<int> pipeline(
        100000, {3, 16, 1 << 20},
        [&](size_t i) {
          ++started;
          std::this_thread::sleep_for(100us);
          return static_cast<int>(i);
        },
        [](int) { return size_t{1}; });
    for (int i = 0; i < 3; ++i) ASSERT_EQ(pipeline.Next(), i);
  }
  EXPECT_LE(started, 3u + 16u);
}

// Many runs with random timing on both sides, looking for a lost wake-up: each must end.
TEST(OrderedPipelineTest, RandomTimingNeverStalls) {
  std::mt19937 random(7);
  for (int run = 0; run < 40; ++run) {
    size_t count = random() % 300;
    PipelineLimits limits{1 + random() % 3, 1 + random() % 9, random() % 40};
    unsigned consumerPause = random() % 3;
    OrderedPipeline<size_t> pipeline(
        count, limits,
        [&](size_t i) {
          if (i % 5 == 0) std::this_thread::yield();
          return i;
        },
        [](size_t i) { return i % 11; });
    for (size_t i = 0; i < count; ++i) {
      ASSERT_EQ(pipeline.Next(), i) << "run " << run;
      if (consumerPause && i % 17 == 0) std::this_thread::sleep_for(std::chrono::microseconds(20 * consumerPause));
    }
  }
}

}  // namespace

}  // namespace vantry::import
