#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace vantry::import {

// How many producers there are and how far they may run ahead of the consumer.
struct PipelineLimits {
  size_t threads = 1;        // 0: each item is made on the consumer's thread when it is asked for
  size_t window = 32;        // items started and not yet taken, at most
  size_t budget = 32 << 20;  // weight of finished items waiting above which no new item is started
};

// Makes items 0..count-1 with `produce` on producer threads and hands them out in order
// of their index, one Next() at a time, on the consumer's thread. An exception thrown
// while making an item is thrown again by the Next() that would have returned it. The
// destructor stops the producers, also when not every item was taken. Where threads
// cannot be started, the items are made by the consumer.
template <typename Item>
class OrderedPipeline {
 public:
  using Produce = std::function<Item(size_t)>;
  using Weigh = std::function<size_t(const Item&)>;

  OrderedPipeline(size_t count, const PipelineLimits& limits, Produce produce, Weigh weigh)
      : count_(count), limits_(limits), produce_(std::move(produce)), weigh_(std::move(weigh)) {
    if (limits_.window == 0) limits_.window = 1;
    slots_.resize(limits_.window);
    try {
      for (size_t i = 0; i < std::min(limits_.threads, count_); ++i) producers_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
      // Go on with the producers that did start, or with none.
    }
  }
  ~OrderedPipeline() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    roomFree_.notify_all();
    for (std::thread& producer : producers_) producer.join();
  }
  OrderedPipeline(const OrderedPipeline&) = delete;
  OrderedPipeline& operator=(const OrderedPipeline&) = delete;

  // The next item in order. REQUIRES: fewer than `count` items were taken.
  Item Next() {
    if (producers_.empty()) return produce_(taken_++);
    std::unique_lock lock(mutex_);
    Slot& slot = slots_[taken_ % slots_.size()];
    // Rather than sit idle while its item is under way, the consumer makes items too.
    while (!slot.ready && CanStart()) MakeOne(lock);
    if (!slot.ready) {
      consumerWaiting_ = true;
      resultReady_.wait(lock, [&] { return EnoughReady(); });
      consumerWaiting_ = false;
    }
    std::optional<Item> item = std::move(slot.item);
    std::exception_ptr error = std::exchange(slot.error, nullptr);
    slot.ready = false;
    slot.item.reset();
    waitingWeight_ -= slot.weight;
    ++taken_;
    // Producers sleep until there is room for several items, so that a consumer slower
    // than them does not wake one for each item it takes.
    bool wake = idleProducers_ > 0 && CanStart() && claimed_ - taken_ <= slots_.size() / 2;
    lock.unlock();
    if (wake) roomFree_.notify_all();
    if (error) std::rethrow_exception(error);
    return std::move(*item);
  }

 private:
  struct Slot {
    std::optional<Item> item;
    std::exception_ptr error;
    size_t weight = 0;
    bool ready = false;
  };

  // Whether a waiting consumer should go on: it waits for a run of several items, so
  // that a producer slower than it does not wake it for each item, unless the
  // producers cannot make more. REQUIRES: mutex_ held.
  bool EnoughReady() const {
    size_t want = std::min(std::max<size_t>(slots_.size() / 2, 1), count_ - taken_), run = 0;
    while (run < want && slots_[(taken_ + run) % slots_.size()].ready) ++run;
    return run > 0 && (run == want || (producing_ == 0 && !CanStart()));
  }

  // Whether a producer may start the next item: one is always allowed when nothing is
  // under way, however heavy. REQUIRES: mutex_ held.
  bool CanStart() const {
    return claimed_ < count_ && claimed_ < taken_ + slots_.size() &&
           (waitingWeight_ < limits_.budget || claimed_ == taken_);
  }

  void Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
      while (!stopping_ && !CanStart()) {
        if (claimed_ >= count_) return;
        ++idleProducers_;
        roomFree_.wait(lock);
        --idleProducers_;
      }
      if (stopping_) return;
      MakeOne(lock);
    }
  }

  // Starts the next item, makes it with the mutex released and puts it in its slot.
  // REQUIRES: CanStart(), `lock` holds mutex_.
  void MakeOne(std::unique_lock<std::mutex>& lock) {
    size_t index = claimed_++;
    ++producing_;
    lock.unlock();
    std::optional<Item> item;
    std::exception_ptr error;
    size_t weight = 0;
    try {
      item.emplace(produce_(index));
      weight = weigh_(*item);
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    Slot& slot = slots_[index % slots_.size()];
    slot.item = std::move(item);
    slot.error = error;
    slot.weight = weight;
    slot.ready = true;
    waitingWeight_ += weight;
    --producing_;
    if (consumerWaiting_ && EnoughReady()) resultReady_.notify_one();
  }

  const size_t count_;
  PipelineLimits limits_;
  Produce produce_;
  Weigh weigh_;
  std::vector<std::thread> producers_;

  std::mutex mutex_;
  std::condition_variable resultReady_, roomFree_;
  std::vector<Slot> slots_;  // item i waits in slots_[i % window]
  size_t claimed_ = 0;       // items started
  size_t taken_ = 0;         // items handed out
  size_t waitingWeight_ = 0;
  size_t producing_ = 0;  // items started and not finished
  size_t idleProducers_ = 0;
  bool consumerWaiting_ = false;
  bool stopping_ = false;
};

}  // namespace vantry::import
