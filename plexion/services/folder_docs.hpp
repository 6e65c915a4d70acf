// Document folders (external component FolderDocs): document types, the scenario and template
// document services, and the folder application object.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plexion/platform/object.hpp"

namespace plexion {

// A kind of document (scenario, template, server group); the library only passes it on.
class DocumentType : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "DocumentType";
  virtual std::string Name() const = 0;
};

// The documents of one kind.
class DocumentService : public virtual Object {
 public:
  // Whether the document is an express document.
  virtual bool IsExpress(std::int32_t documentId) = 0;
};

class ScenarioDocs : public DocumentService {
 public:
  static constexpr std::string_view kServiceName = "ScenarioDocs";
};

class TemplateDocs : public DocumentService {
 public:
  static constexpr std::string_view kServiceName = "TemplateDocs";
};

// The user on whose behalf documents are copied.
class FolderOwner : public virtual Object {
 public:
  virtual std::int32_t Id() const = 0;
};

class FolderApp : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "FolderApp";
  // The user the application works for.
  virtual Ref<FolderOwner> Owner() = 0;
  // A document type by its name ("Scenario", "Template", "Server Group"); an unknown name is
  // an error.
  virtual Ref<DocumentType> DocType(const std::string& name) = 0;
};

}  // namespace plexion
