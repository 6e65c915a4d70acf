// Arrays with lower bounds, in one or two dimensions, and the unallocated state.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "plexion/platform/error.hpp"

namespace plexion {

struct Bounds {
  std::int32_t lower = 0;
  std::int32_t upper = -1;  // upper < lower: no elements
  std::int64_t count() const { return upper >= lower ? std::int64_t(upper) - lower + 1 : 0; }
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

// A default-constructed array is unallocated: it has no bounds at all, and asking for one is a
// subscript-out-of-range error, as indexing outside the bounds is. Elements of a
// two-dimensional array are stored with the first index running fastest.
template <class T>
class Array {
 public:
  Array() = default;
  Array(std::int32_t lower, std::int32_t upper) { Allocate({Bounds{lower, upper}}); }
  Array(Bounds first, Bounds second) { Allocate({first, second}); }

  static Array FromVector(std::vector<T> items, std::int32_t lower = 0) {
    Array a;
    a.dims_ = {Bounds{lower, static_cast<std::int32_t>(lower + std::int64_t(items.size()) - 1)}};
    a.items_ = std::move(items);
    return a;
  }

  bool allocated() const { return !dims_.empty(); }
  int dims() const { return static_cast<int>(dims_.size()); }
  std::int32_t LBound(int dim = 1) const { return Dim(dim).lower; }
  std::int32_t UBound(int dim = 1) const { return Dim(dim).upper; }
  const std::vector<Bounds>& bounds() const { return dims_; }
  std::size_t size() const { return items_.size(); }

  T& at(std::int32_t i) { return items_[Offset(i)]; }
  const T& at(std::int32_t i) const { return items_[Offset(i)]; }
  T& at(std::int32_t i, std::int32_t j) { return items_[Offset(i, j)]; }
  const T& at(std::int32_t i, std::int32_t j) const { return items_[Offset(i, j)]; }

  // Grows or shrinks a one-dimensional array at the top, keeping its lower bound and contents.
  void RedimPreserve(std::int32_t upper) {
    if (dims() != 1) throw Error::Runtime(errnum::SubscriptOutOfRange);
    dims_[0].upper = upper;
    items_.resize(static_cast<std::size_t>(dims_[0].count()));
  }
  void Erase() {
    dims_.clear();
    items_.clear();
  }

  // Storage order; for one dimension, index order from the lower bound.
  const std::vector<T>& elements() const { return items_; }
  std::vector<T>& elements() { return items_; }

  template <class F>
  auto Map(F&& f) const -> Array<decltype(f(std::declval<const T&>()))> {
    Array<decltype(f(std::declval<const T&>()))> out;
    out.dims_ = dims_;
    out.items_.reserve(items_.size());
    for (const T& item : items_) out.items_.push_back(f(item));
    return out;
  }

  friend bool operator==(const Array& a, const Array& b) {
    return a.dims_ == b.dims_ && a.items_ == b.items_;
  }

 private:
  template <class>
  friend class Array;

  void Allocate(std::vector<Bounds> dims) {
    std::int64_t total = 1;
    for (const Bounds& b : dims) total *= b.count();
    if (total > (std::int64_t(1) << 28)) throw Error::Runtime(errnum::Overflow);
    dims_ = std::move(dims);
    items_.assign(static_cast<std::size_t>(total), T{});
  }
  const Bounds& Dim(int dim) const {
    if (dim < 1 || dim > dims()) throw Error::Runtime(errnum::SubscriptOutOfRange);
    return dims_[static_cast<std::size_t>(dim - 1)];
  }
  static std::int64_t Index(const Bounds& b, std::int32_t i) {
    if (i < b.lower || i > b.upper) throw Error::Runtime(errnum::SubscriptOutOfRange);
    return std::int64_t(i) - b.lower;
  }
  std::size_t Offset(std::int32_t i) const {
    if (dims() != 1) throw Error::Runtime(errnum::SubscriptOutOfRange);
    return static_cast<std::size_t>(Index(dims_[0], i));
  }
  std::size_t Offset(std::int32_t i, std::int32_t j) const {
    if (dims() != 2) throw Error::Runtime(errnum::SubscriptOutOfRange);
    return static_cast<std::size_t>(Index(dims_[0], i) + Index(dims_[1], j) * dims_[0].count());
  }

  std::vector<Bounds> dims_;
  std::vector<T> items_;
};

}  // namespace plexion
