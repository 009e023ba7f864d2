#pragma once
// util::Array keeps plain values in fixed blocks of 32 elements. It always
// keeps more than 16 slots free: an Add that would leave 16 or fewer grows the
// array by one block first, and a removal that leaves more than 48 free slots
// releases the last block (never the first). Removal moves the last element
// into the freed slot, so order is not kept. Allocation failure is an
// assertion plus a -1 result from Add, never an exception.
#include <cassert>
#include <cstring>
#include <new>
#include <type_traits>

namespace util {

template <typename T>
class Array {
  static_assert(std::is_trivially_copyable<T>::value, "util::Array holds plain values");

 public:
  static constexpr unsigned kBlockItems = 32;
  static constexpr unsigned kMinFreeSlots = 16;
  static constexpr unsigned kMaxFreeSlots = 48;

  Array() {
    m_blocks = new (std::nothrow) T*[1];
    assert(m_blocks && "0");
    if (!m_blocks) return;
    m_blocks[0] = new (std::nothrow) T[kBlockItems];
    assert(m_blocks[0] && "0");
    m_numBlocks = m_blocks[0] ? 1 : 0;
  }
  ~Array() { Release(); }
  Array(const Array&) = delete;
  Array& operator=(const Array&) = delete;

  // Appends a copy of item; returns its index, or -1 when the array could not grow.
  int Add(const T& item) {
    if (m_numItems + 1 >= Capacity() - kMinFreeSlots && !Grow()) return -1;
    Slot(m_numItems) = item;
    return static_cast<int>(m_numItems++);
  }

  T& Get(unsigned i) {
    assert(i < m_numItems && "Array: index beyond end of list");
    return Slot(i);
  }
  const T& Get(unsigned i) const {
    assert(i < m_numItems && "Array: index beyond end of list");
    return m_blocks[i / kBlockItems][i % kBlockItems];
  }

  // Removes element i by moving the last element into its place.
  void RemoveAt(unsigned i) {
    assert(i < m_numItems && "Array: index beyond end of list");
    const T last = Slot(m_numItems - 1);
    --m_numItems;
    if (m_numItems == 0) return;
    if (i < m_numItems) Slot(i) = last;
    if (Capacity() - m_numItems > kMaxFreeSlots) Shrink(m_numBlocks - 1);
  }

  // Forgets every element; the blocks stay allocated.
  void Clear() { m_numItems = 0; }
  unsigned Count() const { return m_numItems; }
  unsigned Capacity() const { return m_numBlocks * kBlockItems; }

 private:
  T& Slot(unsigned i) { return m_blocks[i / kBlockItems][i % kBlockItems]; }

  bool Grow() {
    T** table = new (std::nothrow) T*[m_numBlocks + 1];
    T* block = table ? new (std::nothrow) T[kBlockItems] : nullptr;
    if (!block) {
      delete[] table;
      assert(!"0");
      return false;
    }
    if (m_numBlocks) std::memcpy(table, m_blocks, m_numBlocks * sizeof(T*));
    table[m_numBlocks] = block;
    delete[] m_blocks;
    m_blocks = table;
    ++m_numBlocks;
    return true;
  }

  bool Shrink(unsigned blocks) {
    if (blocks < 1) blocks = 1;
    if (blocks >= m_numBlocks) return true;
    T** table = new (std::nothrow) T*[blocks];
    if (!table) {
      assert(!"0");
      return false;
    }
    std::memcpy(table, m_blocks, blocks * sizeof(T*));
    for (unsigned b = blocks; b < m_numBlocks; ++b) delete[] m_blocks[b];
    delete[] m_blocks;
    m_blocks = table;
    m_numBlocks = blocks;
    return true;
  }

  void Release() {
    for (unsigned b = 0; b < m_numBlocks; ++b) delete[] m_blocks[b];
    delete[] m_blocks;
    m_blocks = nullptr;
    m_numBlocks = 0;
    m_numItems = 0;
  }

  T** m_blocks = nullptr;
  unsigned m_numBlocks = 0;
  unsigned m_numItems = 0;
};

}  // namespace util
