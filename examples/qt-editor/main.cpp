// plexion-editor: a desktop editor of stored schedules on Plexion's tab sets, notification hub
// and schedule objects.
//   plexion-editor sa-schedule ID     a soft-alarm schedule
//   plexion-editor schedule ID        a report-group schedule
//   --config FILE, --db URL           as for the plexion command (else PLEXION_CONFIG, PLEXION_DB)
//   --screenshot FILE [--tab NAME]    render the window offscreen with that tab shown, as a PNG
#include <cstring>
#include <iostream>

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QTabWidget>

#include <plexion/backends/defaults.hpp>
#include <plexion/host/entry_points.hpp>

#include "editor_window.hpp"

namespace {

using namespace qt_editor;

// Exit codes: 1 for a usage or a database error, 2 when objects of the library outlive the
// window, as in the other example hosts.
constexpr int kObjectsStillHeld = 2;

bool Asks(int argc, char** argv, const char* option) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], option) == 0) return true;
  return false;
}

int Fail(const QString& message, int code = 1) {
  std::cerr << "plexion-editor: " << message.toStdString() << "\n";
  return code;
}

// Shows the tab the command line names, if any; an unknown one is an error naming the tabs.
bool ShowRequestedTab(EditorWindow& window, const QString& tab) {
  if (tab.isEmpty() || window.ShowTab(tab)) return true;
  QStringList captions;
  for (int i = 0; i < window.Tabs()->count(); ++i) captions << window.Tabs()->tabText(i);
  Fail("the document has no tab \"" + tab + "\" (its tabs: " + captions.join(", ") + ")");
  return false;
}

// Renders the window with the tab shown and writes the PNG.
int Screenshot(EditorWindow& window, const QString& tab, const QString& file) {
  if (!ShowRequestedTab(window, tab)) return 1;
  window.show();
  QApplication::processEvents();
  if (!window.grab().save(file, "PNG")) return Fail("cannot write " + file);
  std::cout << "wrote " << file.toStdString() << "\n";
  return 0;
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
      "Edits a stored schedule: its tabs come from Plexion's tab set.");
  parser.addHelpOption();
  parser.addPositionalArgument(
      "kind", "sa-schedule (a soft-alarm schedule) or schedule (a report-group schedule)");
  parser.addPositionalArgument("id", "the schedule's id");
  const QCommandLineOption config("config", "configuration file", "FILE");
  const QCommandLineOption db("db", "database URL", "URL");
  const QCommandLineOption screenshot("screenshot", "render the window offscreen into a PNG",
                                      "FILE");
  const QCommandLineOption tab("tab", "the tab shown (Name or caption)", "NAME");
  parser.addOptions({config, db, screenshot, tab});
  parser.process(app);

  const QStringList args = parser.positionalArguments();
  const auto kind = args.size() == 2 ? ParseScheduleKind(args[0].toStdString()) : std::nullopt;
  bool isNumber = false;
  const std::int32_t id = args.size() == 2 ? args[1].toInt(&isNumber) : 0;
  if (!kind || !isNumber)
    return Fail("usage: plexion-editor sa-schedule|schedule ID [--screenshot FILE [--tab NAME]]");

  int code = 0;
  try {
    auto configuration =
        plexion::backends::Configuration::Discover(parser.value(config).toStdString());
    if (parser.isSet(db)) configuration.databaseUrl = parser.value(db).toStdString();
    plexion::backends::InstallDefaults(configuration);
    EditorWindow window(*kind, id);
    if (parser.isSet(screenshot)) {
      code = Screenshot(window, parser.value(tab), parser.value(screenshot));
    } else {
      if (!ShowRequestedTab(window, parser.value(tab))) return 1;
      window.show();
      code = QApplication::exec();
    }
  } catch (const plexion::Error& e) {
    if (e.number() == 3021)
      return Fail("there is no " + QString::fromStdString(DocumentTitle(*kind, id)));
    return Fail(QString::fromStdString(e.description() + " (" + e.source() + ")"));
  }
  // The window is gone with everything it held: no object of the library may be left.
  if (DllCanUnloadNow() != plexion::status::Ok)
    return Fail("objects of the library are still held after the window closed", kObjectsStillHeld);
  return code;
}
