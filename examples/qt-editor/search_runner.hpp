// A data-availability search run off the window's thread, on a connection of its own, a slice
// of the systems at a time, so that it can tell its progress and stop between slices.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <QObject>

#include <plexion/backends/coverage/coverage_search.hpp>
#include <plexion/platform/datetime.hpp>

namespace qt_editor {

// What the window's model found valid, as the search object takes it.
struct SearchRequest {
  std::vector<std::string> types, systems, times;
  plexion::DateTime start, end;
};

struct SearchOutcome {
  std::vector<std::string> fields;                     // the result table's column titles
  std::vector<std::vector<std::string>> rows;          // data type by data type, then system
  plexion::backends::CoverageSearch::DaysLoaded days;  // positions as in the request
  std::string error;                                   // the search's error, "" when none
  bool cancelled = false;
};

// Runs the search on the calling thread with a search object of its own (the thread's own
// database service), systemsPerSlice systems at a time; progress(done, total) follows each
// slice. Stops before the next slice when cancel is set.
SearchOutcome RunSearch(const SearchRequest& request, const std::atomic<bool>& cancel,
                        const std::function<void(int, int)>& progress, int systemsPerSlice = 250);

class SearchRunner final : public QObject {
  Q_OBJECT
 public:
  explicit SearchRunner(QObject* parent = nullptr);
  // Waits for a search still running (it stops at its next slice).
  ~SearchRunner() override;

  // Starts a search on a thread of its own; a search still running is cancelled first.
  void Start(SearchRequest request);
  void Cancel();
  bool Running() const { return running_; }
  // The outcome of the last search, once Finished was signalled.
  const SearchOutcome& Outcome() const { return outcome_; }
  int systemsPerSlice = 250;

 Q_SIGNALS:
  void Progress(int done, int total);
  void Finished();

 private:
  void Join();

  std::thread thread_;
  std::shared_ptr<std::atomic<bool>> cancel_;
  bool running_ = false;
  int generation_ = 0;
  SearchOutcome outcome_;
};

}  // namespace qt_editor
