// Text stand-ins for the data-availability editor's controls: each prints what it receives.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "plexion/dataavail/data_avail_data.hpp"

namespace plexion::cli {

// A selector that prints its columns, tag, caption and selection index as they come, and each
// row once it is complete. Quiet, it prints nothing but still keeps the rows' texts and keys.
class TextSelector final : public SelectorCtl {
 public:
  struct Row {
    std::string text, key;
    std::map<std::int16_t, std::string> subItems;
  };

  TextSelector(std::ostream& out, bool quiet) : out_(out), quiet_(quiet) {}

  void AddColumn(const std::string& text, std::int16_t width, std::int16_t flag) override;
  void SetTag(const std::string& text, std::int32_t value) override;
  Ref<SelectorListRow> AddRow(const std::string& text, const std::string& key) override;
  void SelIndex(std::int32_t index) override;
  std::string Caption() override { return caption_; }
  void Caption(const std::string& caption) override;
  void EndLoad() override;

  const std::vector<Row>& rows() const { return rows_; }

 private:
  friend class TextRow;
  void PrintPendingRow();
  std::ostream& Line();

  std::ostream& out_;
  bool quiet_;
  std::string caption_;
  std::vector<Row> rows_;
  bool pending_ = false;
};

// A date-time control that prints the scope it is given and the times it hands out.
class TextDateTimeCtl final : public DateTimeCtl {
 public:
  TextDateTimeCtl(std::ostream& out, bool quiet, std::vector<std::string> times)
      : out_(out), quiet_(quiet), times_(std::move(times)) {}
  void Scope(std::int32_t scope) override;
  StringArray SelectedTimesOf() override;
  float MinWidth() override { return 320; }
  float MinHeight() override { return 120; }

 private:
  std::ostream& out_;
  bool quiet_;
  std::vector<std::string> times_;
};

// Prints each event of the model as it is raised, unless quiet.
class TextEventListener final : public CDataAvailDataEvents {
 public:
  TextEventListener(std::ostream& out, bool quiet) : quiet(quiet), out_(out) {}
  void DataTypesChanged() override { Print("DataTypesChanged"); }
  void ResetTab() override { Print("ResetTab"); }
  void UpdateDates() override { Print("UpdateDates"); }

  bool quiet;

 private:
  void Print(const char* name) {
    if (!quiet) out_ << "  event " << name << "\n";
  }
  std::ostream& out_;
};

// A text in double quotes, as the controls print texts.
std::string Quoted(const std::string& text);

}  // namespace plexion::cli
