// The enumerator object a collection hands out for for-each loops.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "plexion/platform/object.hpp"
#include "plexion/platform/variant.hpp"

namespace plexion {

class Enumerator : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "IEnumVARIANT";
  // The next element, or false at the end.
  virtual bool Next(Variant& item) = 0;
  virtual void Skip(std::size_t count) = 0;
  virtual void Reset() = 0;
  virtual Ref<Enumerator> Clone() const = 0;
};

// Enumerates a snapshot taken when it was made: later changes to the collection do not show.
class SnapshotEnumerator final : public Enumerator {
 public:
  using ComponentClass = SnapshotEnumerator;
  explicit SnapshotEnumerator(std::vector<Variant> items, std::size_t position = 0)
      : items_(std::move(items)), position_(position) {}

  bool Next(Variant& item) override {
    if (position_ >= items_.size()) return false;
    item = items_[position_++];
    return true;
  }
  void Skip(std::size_t count) override { position_ += count; }
  void Reset() override { position_ = 0; }
  Ref<Enumerator> Clone() const override { return MakeRef<SnapshotEnumerator>(items_, position_); }

 private:
  std::vector<Variant> items_;
  std::size_t position_;
};

}  // namespace plexion
