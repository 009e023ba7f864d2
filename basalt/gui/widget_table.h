#pragma once
// The widgets of a context controller by id: 17 buckets (bucket = id mod 17),
// each a util::Array of (id, widget) pairs in insertion order. Lookups see the
// first pair of an id. The table never owns the widgets.
#include "basalt/util/array.h"

namespace Basalt {

class IWidget;

class WidgetTable {
 public:
  static constexpr unsigned kBuckets = 17;

  // False when the bucket could not grow (the pair is then not stored).
  bool Insert(unsigned wid, IWidget* widget) { return Bucket(wid).Add(Pair{wid, widget}) >= 0; }
  IWidget* Find(unsigned wid) const {
    const util::Array<Pair>& bucket = m_buckets[wid % kBuckets];
    for (unsigned i = 0; i < bucket.Count(); ++i)
      if (bucket.Get(i).wid == wid) return bucket.Get(i).widget;
    return nullptr;
  }
  void Remove(unsigned wid) {
    util::Array<Pair>& bucket = Bucket(wid);
    for (unsigned i = 0; i < bucket.Count(); ++i) {
      if (bucket.Get(i).wid != wid) continue;
      bucket.RemoveAt(i);
      return;
    }
  }
  // Any widget of the table, or null when it is empty.
  IWidget* Any() const {
    for (const util::Array<Pair>& bucket : m_buckets)
      if (bucket.Count()) return bucket.Get(0).widget;
    return nullptr;
  }
  void Clear() {
    for (util::Array<Pair>& bucket : m_buckets) bucket.Clear();
  }

 private:
  struct Pair {
    unsigned wid;
    IWidget* widget;
  };
  util::Array<Pair>& Bucket(unsigned wid) { return m_buckets[wid % kBuckets]; }

  util::Array<Pair> m_buckets[kBuckets];
};

}  // namespace Basalt
