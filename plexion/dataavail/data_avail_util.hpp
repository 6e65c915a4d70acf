// DataAvailUtil: keeps a list of chosen names free of duplicates and gaps.
//
// A list is a one-dimensional array of strings with any lower bound; it may be unallocated. An
// allocated list whose only element is "" counts as empty: it is what both routines leave when
// nothing remains. Strings compare exactly (letter case counts); "" is an absent entry. Neither
// routine moves the target's lower bound, and neither fails: an unallocated array, or an array
// of more than one dimension, leaves the target as it is.
#pragma once

#include "plexion/platform/variant.hpp"

namespace plexion::DataAvailUtil {

// Appends each non-empty element of src that dest does not hold yet, in src's order. An
// unallocated dest first becomes the empty list at index 1 (also when src has no elements).
void AddUniqueItems(StringArray& dest, const StringArray& src);

// Takes every element equal to one of src out of dest and closes the gaps, including the ""
// elements dest held before. When nothing remains dest is the empty list at its lower bound.
void RemoveItems(StringArray& dest, const StringArray& src);

}  // namespace plexion::DataAvailUtil
