#include "plexion/dataavail/data_avail_util.hpp"

#include <string>
#include <unordered_set>
#include <vector>

namespace plexion::DataAvailUtil {

namespace {

bool IsList(const StringArray& a) { return a.allocated() && a.dims() == 1; }

// The empty list: a single "" at index `lower`.
StringArray EmptyList(std::int32_t lower) { return StringArray(lower, lower); }

void Append(StringArray& list, const std::string& s) {
  list.RedimPreserve(list.UBound() + 1);
  list.at(list.UBound()) = s;
}

}  // namespace

void AddUniqueItems(StringArray& dest, const StringArray& src) {
  if (!IsList(src)) return;
  if (!dest.allocated()) dest = EmptyList(1);
  if (!IsList(dest)) return;
  bool empty = dest.LBound() == dest.UBound() && dest.at(dest.LBound()).empty();
  // What dest holds, looked up by hash: lists of a whole site's systems are long.
  std::unordered_set<std::string> held(dest.elements().begin(), dest.elements().end());
  for (const std::string& s : src.elements()) {
    if (s.empty() || !held.insert(s).second) continue;
    if (empty) {
      dest.at(dest.LBound()) = s;
      empty = false;
    } else {
      Append(dest, s);
    }
  }
}

void RemoveItems(StringArray& dest, const StringArray& src) {
  if (!IsList(src) || !IsList(dest)) return;
  const std::int32_t lower = dest.LBound();
  std::vector<std::string> work = dest.elements();
  const std::unordered_set<std::string> gone(src.elements().begin(), src.elements().end());
  for (std::string& s : work)
    if (gone.contains(s)) s.clear();
  dest = EmptyList(lower);
  bool first = true;
  for (const std::string& s : work) {
    if (s.empty()) continue;
    if (first) {
      dest.at(lower) = s;
      first = false;
    } else {
      Append(dest, s);
    }
  }
}

}  // namespace plexion::DataAvailUtil
