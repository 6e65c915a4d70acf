// The error a call fails with, for tests that check its number, status, source or text.
#pragma once

#include <gtest/gtest.h>

#include "plexion/platform/error.hpp"

namespace plexion::testing {

// The error f raises; a test failure (and an empty error) when it raises none.
template <class F>
Error ErrorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error";
  return Error::Runtime(0);
}

}  // namespace plexion::testing
