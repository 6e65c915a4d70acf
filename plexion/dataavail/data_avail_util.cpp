#include "plexion/dataavail/data_avail_util.hpp"

#include <algorithm>
#include <string>
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
  for (const std::string& s : src.elements()) {
    if (s.empty()) continue;
    const std::vector<std::string>& held = dest.elements();
    if (std::find(held.begin(), held.end(), s) != held.end()) continue;
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
  const std::vector<std::string>& gone = src.elements();
  for (std::string& s : work)
    if (std::find(gone.begin(), gone.end(), s) != gone.end()) s.clear();
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
