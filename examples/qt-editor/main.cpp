// plexion-editor: a desktop client of Plexion's documents, on its tab sets, notification hub
// and data objects.
//   plexion-editor                    the document browser
//   plexion-editor report ID|new      a report definition (new: a new Traffic report)
//   plexion-editor sa-schedule ID     a soft-alarm schedule
//   plexion-editor schedule ID        a report-group schedule
//   plexion-editor data-avail [--type NAME]... [--system KEY]... [--start DATE] [--end DATE]
//                  [--time TIME]...   data availability (no options: the demo's data)
//   --config FILE, --db URL           as for the plexion command (else PLEXION_CONFIG, PLEXION_DB)
//   --screenshot FILE [--tab NAME]    render the window offscreen (with that tab shown) as a PNG
#include <cstring>
#include <iostream>
#include <memory>

#include <QApplication>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

#include <plexion/backends/defaults.hpp>
#include <plexion/host/entry_points.hpp>

#include "browser_window.hpp"
#include "data_avail_window.hpp"
#include "editor_window.hpp"
#include "page_helpers.hpp"
#include "report_document.hpp"

namespace {

using namespace qt_editor;

// Exit codes: 1 for a usage or a database error, 2 when objects of the library outlive the
// windows, as in the other example hosts.
constexpr int kObjectsStillHeld = 2;
constexpr int kSearchTimeoutMs = 10 * 60 * 1000;

bool Asks(int argc, char** argv, const char* option) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], option) == 0) return true;
  return false;
}

int Fail(const QString& message, int code = 1) {
  std::cerr << "plexion-editor: " << message.toStdString() << "\n";
  return code;
}

std::vector<std::string> Values(const QCommandLineParser& parser, const QString& option) {
  std::vector<std::string> values;
  for (const QString& value : parser.values(option)) values.push_back(value.toStdString());
  return values;
}

// Shows the tab the command line names, if any; an unknown one is an error naming the tabs.
bool ShowRequestedTab(EditorWindow& window, const QString& tab) {
  if (tab.isEmpty() || window.ShowTab(tab)) return true;
  QStringList captions;
  for (int i = 0; i < window.Tabs()->count(); ++i) captions << window.Tabs()->tabText(i);
  Fail("the document has no tab \"" + tab + "\" (its tabs: " + captions.join(", ") + ")");
  return false;
}

// Shows the window, or renders it and writes the PNG.
int Run(QWidget& window, const QString& screenshot) {
  window.show();
  if (screenshot.isEmpty()) return QApplication::exec();
  QApplication::processEvents();
  if (!window.grab().save(screenshot, "PNG")) return Fail("cannot write " + screenshot);
  std::cout << "wrote " << screenshot.toStdString() << "\n";
  return 0;
}

int RunEditor(std::unique_ptr<Document> document, const QCommandLineParser& parser,
              const QString& screenshot) {
  EditorWindow window(std::move(document));
  if (!ShowRequestedTab(window, parser.value("tab"))) return 1;
  return Run(window, screenshot);
}

int RunDataAvailability(const QCommandLineParser& parser, const QString& screenshot) {
  DataAvailWindow window;
  const SearchChoices choices{Values(parser, "type"), Values(parser, "system"),
                              Values(parser, "time"), parser.value("start").toStdString(),
                              parser.value("end").toStdString()};
  if (!window.Choose(choices)) return Fail(window.StatusText());
  window.show();
  QEventLoop wait;
  QObject::connect(&window, &DataAvailWindow::SearchEnded, &wait, &QEventLoop::quit);
  if (!window.Search()) return Fail(window.StatusText());
  if (screenshot.isEmpty()) return QApplication::exec();
  QTimer::singleShot(kSearchTimeoutMs, &wait, &QEventLoop::quit);
  wait.exec();
  if (window.Searching() || window.SecondsToPicture() == 0) return Fail(window.StatusText());
  std::cout << window.StatusText().toStdString() << "\n";
  return Run(window, screenshot);
}

// Which window the command line asks for.
struct WindowForm {
  enum Window { Browser, DataAvailability, Editor } window = Browser;
  DocumentKind kind = DocumentKind::Report;
  std::int32_t id = 0;  // 0 with kind Report: a new report
};

std::optional<WindowForm> ParseForm(const QStringList& args) {
  if (args.isEmpty()) return WindowForm{};
  if (args.size() == 1 && args[0] == "data-avail")
    return WindowForm{WindowForm::DataAvailability, DocumentKind::Report, 0};
  if (args.size() != 2) return std::nullopt;
  const std::optional<DocumentKind> kind = ParseDocumentKind(args[0].toStdString());
  if (!kind) return std::nullopt;
  bool isNumber = false;
  const std::int32_t id = args[1].toInt(&isNumber);
  const bool newReport = *kind == DocumentKind::Report && args[1] == "new";
  if (!(isNumber && id > 0) && !newReport) return std::nullopt;
  return WindowForm{WindowForm::Editor, *kind, id};
}

std::unique_ptr<Document> OpenDocument(const WindowForm& form) {
  if (form.kind != DocumentKind::Report)
    return std::make_unique<ScheduleDocument>(form.kind, form.id);
  if (form.id == 0) return std::make_unique<ReportDocument>("Traffic", 0);
  return std::make_unique<ReportDocument>(form.id);
}

int RunBrowser(const QString& screenshot) {
  BrowserWindow window;
  return Run(window, screenshot);
}

}  // namespace

int main(int argc, char** argv) {
  // A screenshot needs no display.
  if (Asks(argc, argv, "--screenshot") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName("plexion-editor");

  QCommandLineParser parser;
  parser.setApplicationDescription(
      "A client of Plexion's documents: a browser, their editors and data availability.");
  parser.addHelpOption();
  parser.addPositionalArgument("kind",
                               "report, sa-schedule, schedule or data-avail (none: the "
                               "document browser)");
  parser.addPositionalArgument("id", "the document's id (report new: a new report)");
  parser.addOptions({
      {"config", "configuration file", "FILE"},
      {"db", "database URL", "URL"},
      {"screenshot", "render the window offscreen into a PNG", "FILE"},
      {"tab", "the tab shown (Name or caption)", "NAME"},
      {"type", "data-avail: a data type (repeatable)", "NAME"},
      {"system", "data-avail: a system key (repeatable)", "KEY"},
      {"start", "data-avail: start date and time", "DATE"},
      {"end", "data-avail: end date and time; a date alone includes its whole day", "DATE"},
      {"time", "data-avail: an hour of the day to search (repeatable)", "TIME"},
  });
  parser.process(app);

  const std::optional<WindowForm> form = ParseForm(parser.positionalArguments());
  if (!form)
    return Fail(
        "usage: plexion-editor [report ID|new | sa-schedule ID | schedule ID | data-avail "
        "[search options]] [--screenshot FILE [--tab NAME]]");
  const QString screenshot = parser.value("screenshot");

  int code = 0;
  try {
    auto configuration =
        plexion::backends::Configuration::Discover(parser.value("config").toStdString());
    if (parser.isSet("db")) configuration.databaseUrl = parser.value("db").toStdString();
    plexion::backends::InstallDefaults(configuration);
    switch (form->window) {
      case WindowForm::Browser: code = RunBrowser(screenshot); break;
      case WindowForm::DataAvailability: code = RunDataAvailability(parser, screenshot); break;
      case WindowForm::Editor: code = RunEditor(OpenDocument(*form), parser, screenshot); break;
    }
  } catch (const plexion::Error& e) {
    if (e.number() == 3021)
      return Fail("there is no " + ToQString(DocumentTitle(form->kind, form->id)));
    return Fail(ToQString(e.description() + " (" + e.source() + ")"));
  }
  // Every window is gone with everything it held: no object of the library may be left.
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  if (DllCanUnloadNow() != plexion::status::Ok)
    return Fail("objects of the library are still held after the windows closed",
                kObjectsStillHeld);
  return code;
}
