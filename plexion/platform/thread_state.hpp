// Module state kept once per thread: created by the first use on a thread, released when the
// thread ends. Objects are apartment-bound, so nothing here is locked.
#pragma once

namespace plexion {

template <class T>
T& PerThread() {
  thread_local T state;
  return state;
}

}  // namespace plexion
