// An open document: the data object of its kind, loaded from the database, and its whole save.
// The editor window shows any document through its application's tab set.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <plexion/platform/object.hpp>

namespace qt_editor {

// The kinds of document the editor opens: soft-alarm and report-group schedules, and report
// definitions.
enum class DocumentKind { SoftAlarm, ReportGroup, Report };

// A document as the browser and the open windows know it; a new report has id 0 until it is
// first saved.
struct DocumentKey {
  DocumentKind kind;
  std::int32_t id;
  friend auto operator<=>(const DocumentKey&, const DocumentKey&) = default;
};

// "sa-schedule", "schedule" or "report", as the command line names them.
std::optional<DocumentKind> ParseDocumentKind(std::string_view word);

// "soft-alarm schedule 1", "report-group schedule 2", "report definition 3".
std::string DocumentTitle(DocumentKind kind, std::int32_t id);

class Document {
 public:
  virtual ~Document() = default;

  virtual DocumentKey Key() const = 0;
  // The application whose tab set the editor shows.
  virtual std::string AppName() const = 0;
  std::string Title() const { return DocumentTitle(Key().kind, Key().id); }
  // The data object; the tabs reach its properties by name.
  virtual plexion::Ref<plexion::Object> DataObject() const = 0;

  // Saves the side rows and the document's row as one whole save; answers what was saved
  // ("Saved ..."). A failure leaves with the database's error and the document as it was
  // before the save, so that the user can save again.
  virtual std::string Save() = 0;
  // The document closes without saving: what was made for it meanwhile (temporary copies)
  // goes.
  virtual void Discard() {}
};

}  // namespace qt_editor
