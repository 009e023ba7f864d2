#pragma once
// A fixed-capacity ring of values between exactly one producer thread and
// exactly one consumer thread, without locks or allocation after
// construction. Each side owns its index and publishes it with a release
// store; the other side reads it with an acquire load, so a value is complete
// before the consumer can see it. Push on a full queue and Pop on an empty one
// fail at once instead of waiting.
#include <array>
#include <atomic>
#include <cstddef>

namespace util {

template <typename T, size_t Capacity>
class SpscQueue {
  static_assert(Capacity >= 2 && (Capacity & (Capacity - 1)) == 0, "capacity must be a power of two");
  static_assert(std::atomic<size_t>::is_always_lock_free, "the indices must be lock-free");

 public:
  static constexpr size_t kCapacity = Capacity;

  // Producer thread only. False, dropping nothing already queued, when full.
  bool Push(const T& value) {
    const size_t tail = m_tail.load(std::memory_order_relaxed);
    if (tail - m_head.load(std::memory_order_acquire) == Capacity) return false;
    m_items[tail & (Capacity - 1)] = value;
    m_tail.store(tail + 1, std::memory_order_release);
    return true;
  }

  // Consumer thread only. False, leaving out alone, when empty.
  bool Pop(T* out) {
    const size_t head = m_head.load(std::memory_order_relaxed);
    if (head == m_tail.load(std::memory_order_acquire)) return false;
    *out = m_items[head & (Capacity - 1)];
    m_head.store(head + 1, std::memory_order_release);
    return true;
  }

  // Either thread; already stale when it returns, exact only when both sides are idle.
  size_t SizeApprox() const { return m_tail.load(std::memory_order_acquire) - m_head.load(std::memory_order_acquire); }

 private:
  // Apart, so the two threads do not share a cache line for their indices.
  alignas(64) std::atomic<size_t> m_head{0};
  alignas(64) std::atomic<size_t> m_tail{0};
  std::array<T, Capacity> m_items{};
};

}  // namespace util
