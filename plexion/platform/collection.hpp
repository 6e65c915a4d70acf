// The keyed collection: elements in insertion order, positions counted from 1, string keys
// compared without regard to letter case (see text.hpp for what folds).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "plexion/platform/error.hpp"
#include "plexion/platform/text.hpp"

namespace plexion {

template <class T>
class KeyedCollection {
 public:
  struct Entry {
    std::string key;
    T item;
  };

  std::int32_t Count() const noexcept { return static_cast<std::int32_t>(entries_.size()); }

  // Appends at the last position; an existing key (letter case ignored) is error 457 and
  // leaves the collection as it was.
  void Add(std::string key, T item) {
    if (index_.find(std::string_view(key)) != index_.end())
      throw Error::Runtime(errnum::DuplicateKey);
    index_.emplace(key, entries_.size());
    entries_.push_back(Entry{std::move(key), std::move(item)});
  }

  // Lookups that answer null instead of failing.
  const T* Find(std::string_view key) const noexcept {
    const auto it = index_.find(key);
    return it == index_.end() ? nullptr : &entries_[it->second].item;
  }
  const T* At(std::int64_t position) const noexcept {
    return position >= 1 && position <= Count() ? &entries_[std::size_t(position - 1)].item
                                                : nullptr;
  }

  // Lookups that fail as the host language's collection does: 9 for a bad position, 5 for an
  // absent key.
  const T& Item(std::int64_t position) const {
    if (const T* t = At(position)) return *t;
    throw Error::Runtime(errnum::SubscriptOutOfRange);
  }
  const T& Item(std::string_view key) const {
    if (const T* t = Find(key)) return *t;
    throw Error::Runtime(errnum::InvalidProcedureCall);
  }

  // Removes by key and closes the gap; an absent key is error 5.
  void Remove(std::string_view key) {
    const auto it = index_.find(key);
    if (it == index_.end()) throw Error::Runtime(errnum::InvalidProcedureCall);
    const std::size_t at = it->second;
    index_.erase(it);
    entries_.erase(entries_.begin() + std::ptrdiff_t(at));
    for (auto& [k, pos] : index_)
      if (pos > at) --pos;
  }

  auto begin() const noexcept { return entries_.begin(); }
  auto end() const noexcept { return entries_.end(); }

 private:
  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t, NoCaseHash, NoCaseEqual> index_;
};

}  // namespace plexion
