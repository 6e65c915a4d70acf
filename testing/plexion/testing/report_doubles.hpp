// The doubles a report definition reaches through the locator, installed for the current
// thread while alive: document services, folder application, general-attribute sets (one per
// report definition, sharing one store) and procedure calls.
#pragma once

#include "plexion/services/locator.hpp"
#include "plexion/testing/folder_doubles.hpp"
#include "plexion/testing/output_doubles.hpp"

namespace plexion::testing {

struct InstalledReportDoubles {
  explicit InstalledReportDoubles(SharedLog log = NewLog()) : log(std::move(log)) {}

  SharedLog log;
  Ref<FakeScenarioDocs> scenarioDocs = MakeRef<FakeScenarioDocs>(log, "ScenarioDocs");
  Ref<FakeTemplateDocs> templateDocs = MakeRef<FakeTemplateDocs>(log, "TemplateDocs");
  Ref<FakeFolderApp> folderApp = MakeRef<FakeFolderApp>(log);
  AttributeStore attributeStore = std::make_shared<AttributeStore::element_type>();
  Ref<FakeGeneralAttributes> lastAttributes;  // the set the last report definition got
  bool noAttributes = false;                  // the factory hands out no object
  FakeProcCalls procCalls{log};

 private:
  services::ScopedService<ScenarioDocs> scenarioDocs_{scenarioDocs};
  services::ScopedService<TemplateDocs> templateDocs_{templateDocs};
  services::ScopedService<FolderApp> folderApp_{folderApp};
  services::ScopedFactory<GeneralAttributes> attributes_{[this]() -> Ref<GeneralAttributes> {
    if (noAttributes) return {};
    lastAttributes = MakeRef<FakeGeneralAttributes>(log, attributeStore);
    return lastAttributes;
  }};
  services::ScopedFactory<ProcCall> procCalls_{procCalls.Factory()};
};

}  // namespace plexion::testing
