#pragma once
// util::StringHash maps strings to untyped pointers. A key's hash is the sum
// of (1-based position x character code), taken modulo the bucket count; each
// bucket is a util::Array of (key copy, value) pairs in insertion order.
// Insert does not look for duplicates: Find and Remove see the first pair
// inserted under a key. The table owns its key copies, never the values
// (unless Clear is handed a deleter).
#include <cstring>

#include "basalt/util/array.h"

namespace util {

class StringHash {
 public:
  static constexpr unsigned kDefaultBuckets = 17;

  // numBuckets 0 means 17.
  explicit StringHash(unsigned numBuckets = 0)
      : m_numBuckets(numBuckets ? numBuckets : kDefaultBuckets), m_buckets(new Array<Pair>[m_numBuckets]) {}
  ~StringHash() {
    Clear();
    delete[] m_buckets;
  }
  StringHash(const StringHash&) = delete;
  StringHash& operator=(const StringHash&) = delete;

  static unsigned Hash(const char* key) {
    unsigned hash = 0;
    for (unsigned pos = 1; *key; ++key, ++pos) hash += pos * static_cast<unsigned char>(*key);
    return hash;
  }
  unsigned BucketOf(const char* key) const { return Hash(key) % m_numBuckets; }

  // Returns false when the bucket could not grow; the pair is then not stored.
  bool Insert(const char* key, void* value) {
    const size_t length = std::strlen(key) + 1;
    char* copy = new char[length];
    std::memcpy(copy, key, length);
    if (m_buckets[BucketOf(key)].Add(Pair{copy, value}) < 0) {
      delete[] copy;
      return false;
    }
    return true;
  }

  // The value of the first pair inserted under key, or null.
  void* Find(const char* key) const {
    const Array<Pair>& bucket = m_buckets[BucketOf(key)];
    for (unsigned i = 0; i < bucket.Count(); ++i)
      if (std::strcmp(bucket.Get(i).key, key) == 0) return bucket.Get(i).value;
    return nullptr;
  }

  // Removes the first pair inserted under key and returns its value, or null.
  void* Remove(const char* key) { return RemoveFirst(key, nullptr, false); }
  // Removes the pair of key and value, whichever position it has among the
  // pairs of that key; returns value, or null when no such pair exists.
  void* Remove(const char* key, const void* value) { return RemoveFirst(key, value, true); }

  // Hands every value to visit, bucket by bucket.
  template <typename Visit>
  void ForEachValue(Visit visit) const {
    for (unsigned b = 0; b < m_numBuckets; ++b)
      for (unsigned i = 0; i < m_buckets[b].Count(); ++i) visit(m_buckets[b].Get(i).value);
  }

  // Frees every key copy and, when deleteValue is given, hands it every value.
  void Clear(void (*deleteValue)(void*) = nullptr) {
    for (unsigned b = 0; b < m_numBuckets; ++b) {
      Array<Pair>& bucket = m_buckets[b];
      for (unsigned i = 0; i < bucket.Count(); ++i) {
        delete[] bucket.Get(i).key;
        if (deleteValue) deleteValue(bucket.Get(i).value);
      }
      bucket.Clear();
    }
  }

 private:
  struct Pair {
    char* key;
    void* value;
  };

  void* RemoveFirst(const char* key, const void* value, bool matchValue) {
    Array<Pair>& bucket = m_buckets[BucketOf(key)];
    for (unsigned i = 0; i < bucket.Count(); ++i) {
      Pair pair = bucket.Get(i);
      if (std::strcmp(pair.key, key) != 0 || (matchValue && pair.value != value)) continue;
      delete[] pair.key;
      bucket.RemoveAt(i);
      return pair.value;
    }
    return nullptr;
  }

  unsigned m_numBuckets;
  Array<Pair>* m_buckets;
};

}  // namespace util
