// Tab descriptors and tab sets: which tab controls an editor shows, in which order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "plexion/platform/collection.hpp"
#include "plexion/platform/enumerator.hpp"
#include "plexion/platform/object.hpp"
#include "plexion/platform/variant.hpp"

namespace plexion {

// One tab: its name (the key in its set), caption, the ProgID of its control and the value
// handed to the control. Set once by the owning set, read-only afterwards.
class CPlexionCtl : public virtual Object {
 public:
  using ComponentClass = CPlexionCtl;
  static constexpr std::string_view kTypeName = "CPlexionCtl";
  const std::string& Name() const { return name_; }
  const std::string& Label() const { return label_; }
  const std::string& ProgID() const { return progId_; }
  // An object in Data is shared with the caller, any other value is a copy.
  Variant Data() const { return data_; }

  // Reachable only from inside the library: a descriptor created by a host keeps its empty
  // values.
  void Init(std::string name, std::string label, std::string progId, Variant data);

 private:
  std::string name_, label_, progId_;
  Variant data_;
};

// An ordered set of tab descriptors keyed by Name (letter case ignored), positions from 1.
class CPlexionCtls : public virtual Object {
 public:
  using ComponentClass = CPlexionCtls;
  static constexpr std::string_view kTypeName = "CPlexionCtls";
  // Replaces the collection by an empty one; descriptors handed out earlier stay valid.
  void Clear();
  std::int32_t Count() const;
  // A number selects by position, a string by Name; any failed lookup gives no object.
  Ref<CPlexionCtl> Item(const Variant& index) const;
  // Enumerates the descriptors in position order.
  Ref<Enumerator> NewEnum() const;
  // Removes by Name (never by position); an absent Name is ignored.
  void Remove(const std::string& sTab);
  // Creates a descriptor and appends it; without vData its Data is no object. A Name already
  // present is error 457 and leaves the set as it was.
  void AddPlexion(const std::string& sName, const std::string& sLabel, const std::string& sProgID,
                  std::optional<Variant> vData = std::nullopt);

  auto begin() const { return tabs_.begin(); }
  auto end() const { return tabs_.end(); }

 private:
  KeyedCollection<Ref<CPlexionCtl>> tabs_;
};

}  // namespace plexion
