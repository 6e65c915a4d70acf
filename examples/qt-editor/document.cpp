#include "document.hpp"

namespace qt_editor {

namespace {

struct KindName {
  DocumentKind kind;
  std::string_view word;   // on the command line
  std::string_view title;  // in titles and messages
};

constexpr KindName kKindNames[] = {
    {DocumentKind::SoftAlarm, "sa-schedule", "soft-alarm schedule"},
    {DocumentKind::ReportGroup, "schedule", "report-group schedule"},
    {DocumentKind::Report, "report", "report definition"},
};

}  // namespace

std::optional<DocumentKind> ParseDocumentKind(std::string_view word) {
  for (const KindName& name : kKindNames)
    if (name.word == word) return name.kind;
  return std::nullopt;
}

std::string DocumentTitle(DocumentKind kind, std::int32_t id) {
  for (const KindName& name : kKindNames)
    if (name.kind == kind)
      return std::string(name.title) + (id > 0 ? " " + std::to_string(id) : " (new)");
  return {};
}

}  // namespace qt_editor
