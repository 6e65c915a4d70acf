#include "search_runner.hpp"

#include <algorithm>

#include <plexion/services/locator.hpp>

namespace qt_editor {

using namespace plexion;

namespace {

StringArray ListOf(std::vector<std::string> items) {
  return StringArray::FromVector(std::move(items), 1);
}

}  // namespace

SearchOutcome RunSearch(const SearchRequest& request, const std::atomic<bool>& cancel,
                        const std::function<void(int, int)>& progress, int systemsPerSlice) {
  SearchOutcome outcome;
  try {
    // This thread's own search object, on this thread's own connection.
    Ref<backends::CoverageSearch> search =
        services::Create<CoverageDb>().As<backends::CoverageSearch>();
    if (!search)
      throw Error::Runtime(errnum::ObjectDoesNotSupport,
                           "the picture needs the database's coverage search");
    search->SetSelectedDataTypes(ListOf(request.types));
    search->SetSelectedTimes(ListOf(request.times));
    search->StartDateValue(request.start);
    search->EndDateValue(request.end);

    const int total = int(request.systems.size());
    const std::size_t types = request.types.size();
    std::vector<std::vector<std::vector<std::string>>> rowsByType(types);
    for (int done = 0; done < total;) {
      if (cancel) {
        outcome.cancelled = true;
        return outcome;
      }
      const int slice = std::min(systemsPerSlice, total - done);
      search->SetSelectedSystems(ListOf(std::vector<std::string>(
          request.systems.begin() + done, request.systems.begin() + done + slice)));
      std::int32_t options = 0;
      search->RunQuery(options, "ExecuteSearchQuery");
      // Rows 1 to types x slice, data type by data type; row 0 names the fields.
      const StringArray table = search->QueryResults();
      outcome.fields.clear();
      for (std::int32_t f = table.LBound(1); f <= table.UBound(1); ++f)
        outcome.fields.push_back(table.at(f, 0));
      for (std::int32_t r = 1; r <= table.UBound(2); ++r) {
        std::vector<std::string> row;
        for (std::int32_t f = table.LBound(1); f <= table.UBound(1); ++f)
          row.push_back(table.at(f, r));
        rowsByType[std::size_t(r - 1) / std::size_t(slice)].push_back(std::move(row));
      }
      auto days = search->HoursPerDay();
      outcome.days.firstDay = days.firstDay;
      outcome.days.hoursInRange = days.hoursInRange;
      for (auto loaded : days.loaded) {
        loaded.system += done;
        outcome.days.loaded.push_back(loaded);
      }
      done += slice;
      progress(done, total);
    }
    for (auto& rows : rowsByType)
      for (auto& row : rows) outcome.rows.push_back(std::move(row));
  } catch (const Error& e) {
    outcome.error = e.description();
  }
  return outcome;
}

SearchRunner::SearchRunner(QObject* parent) : QObject(parent) {}

SearchRunner::~SearchRunner() {
  Cancel();
  Join();
}

void SearchRunner::Start(SearchRequest request) {
  Cancel();
  Join();
  running_ = true;
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  // What a search started earlier still has on its way to this thread is not this search's.
  const int generation = ++generation_;
  thread_ = std::thread(
      [this, generation, request = std::move(request), cancel = cancel_, slice = systemsPerSlice] {
        auto report = [this, generation](int done, int total) {
          QMetaObject::invokeMethod(
              this,
              [this, generation, done, total] {
                if (generation == generation_) Q_EMIT Progress(done, total);
              },
              Qt::QueuedConnection);
        };
        auto outcome = std::make_shared<SearchOutcome>(RunSearch(request, *cancel, report, slice));
        QMetaObject::invokeMethod(
            this,
            [this, generation, outcome] {
              if (generation != generation_) return;
              outcome_ = std::move(*outcome);
              running_ = false;
              Q_EMIT Finished();
            },
            Qt::QueuedConnection);
      });
}

void SearchRunner::Cancel() {
  if (cancel_) *cancel_ = true;
}

void SearchRunner::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace qt_editor
