#include "tab_page.hpp"

#include <QLabel>
#include <QVBoxLayout>

#include "page_helpers.hpp"
#include "properties.hpp"
#include "report_document.hpp"
#include "report_pages.hpp"
#include "schedule_document.hpp"
#include "schedule_pages.hpp"

namespace qt_editor {

using namespace plexion;

TabPage::TabPage(Document& document) : document_(document), problem_(new QLabel(this)) {
  problem_->setObjectName("problem");
  problem_->setStyleSheet("color: #b00020");
  problem_->setWordWrap(true);
  problem_->hide();
  auto* layout = new QVBoxLayout(this);
  layout->addStretch(1);
  layout->addWidget(problem_);
}

void TabPage::LoadData(const Variant&, const std::string& sName, Ref<CPlexionNotify> dtN) {
  name_ = sName;
  hub_ = std::move(dtN);
}

bool TabPage::IsTabValid(const std::string&) { return true; }

void TabPage::TabShow(const std::string& name) { shown_ = name == name_; }

void TabPage::FormChange(const std::string&, const std::string&, const Variant&) {}

void TabPage::ReportChange(std::string_view property, const Variant& value) {
  if (filling_ || !hub_) return;
  hub_->NotifyFormChange(name_, std::string(property), value);
}

Variant TabPage::Get(std::string_view property) const {
  return GetProperty(*document_.DataObject(), property);
}

void TabPage::Let(std::string_view property, const Variant& value) {
  LetProperty(*document_.DataObject(), property, value);
}

bool TabPage::ShowProblem(const QString& problem) {
  problem_->setText(problem);
  problem_->setVisible(!problem.isEmpty());
  return problem.isEmpty();
}

QVBoxLayout* TabPage::Column() const { return static_cast<QVBoxLayout*>(layout()); }

PlaceholderPage::PlaceholderPage(Document& document, const std::string& progId)
    : TabPage(document) {
  auto* label = new QLabel(ToQString(progId + "\n\nThis example has no control of its own for "
                                              "this tab."));
  label->setObjectName("placeholder");
  label->setAlignment(Qt::AlignCenter);
  Column()->insertWidget(0, label, 1);
}

// ---- the ProgID table

namespace {

// A page for documents of one class: the schedule pages edit a ScheduleDocument, the report
// pages a ReportDocument.
template <class Page, class ForDocument, auto... Args>
TabPage* Make(Document& document) {
  auto* typed = dynamic_cast<ForDocument*>(&document);
  return typed ? new Page(*typed, Args...) : nullptr;
}

struct PageEntry {
  std::string_view progId;
  TabPage* (*make)(Document&);
};
constexpr PageEntry kPages[] = {
    {"PlexionCtls.XSASchedGenTab", &Make<GeneralPage, ScheduleDocument>},
    {"PlexionCtls.XSchedGenTab", &Make<GeneralPage, ScheduleDocument>},
    {"PlexionCtls.XEASchedGenTab", &Make<GeneralPage, ScheduleDocument>},
    {"PlexionCtls.XSAScheduleTab", &Make<SchedulePage, ScheduleDocument>},
    {"PlexionCtls.XScheduleTab", &Make<SchedulePage, ScheduleDocument>},
    {"PlexionCtls.XSAScenarioTab", &Make<ScenarioPage, ScheduleDocument>},
    {"PlexionCtls.XScenarioTab", &Make<ScenarioPage, ScheduleDocument>},
    {"PlexionCtls.XRptGenTab", &Make<ReportGeneralPage, ReportDocument, GeneralTab::Plain>},
    {"PlexionCtls.XRptGenExpTab", &Make<ReportGeneralPage, ReportDocument, GeneralTab::Express>},
    {"PlexionCtls.XEARptGenTab", &Make<ReportGeneralPage, ReportDocument, GeneralTab::Enterprise>},
    {"PlexionCtls.XConfRptGenTab", &Make<ReportGeneralPage, ReportDocument, GeneralTab::Plain>},
    {"PlexionCtls.XRptDestTab", &Make<DestinationPage, ReportDocument>},
    {"PlexionCtls.XRptTypeTab", &Make<ReportTypePage, ReportDocument>},
    {"PlexionCtls.XCPFCountRptTypeTab", &Make<ReportTypePage, ReportDocument>},
    {"PlexionCtls.XConfRptTypeTab", &Make<ReportTypePage, ReportDocument>},
    {"PlexionCtls.XDTScopeTab", &Make<DateTimeScopePage, ReportDocument>},
    {"PlexionCtls.XRptFormatTab", &Make<FormatPage, ReportDocument>},
};

}  // namespace

TabPage* CreatePage(const std::string& progId, Document& document) {
  for (const PageEntry& entry : kPages)
    if (entry.progId == progId)
      if (TabPage* page = entry.make(document)) return page;
  return new PlaceholderPage(document, progId);
}

}  // namespace qt_editor
