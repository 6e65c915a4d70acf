#include "plexion/platform/error.hpp"

namespace plexion {

namespace {
std::string What(std::int32_t number, const std::string& source, const std::string& description) {
  return source + ": error " + std::to_string(number) + ": " + description;
}
}  // namespace

Error::Error(Status status, std::int32_t number, std::string source, std::string description)
    : std::runtime_error(What(number, source, description)),
      status_(status),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

Error Error::Runtime(std::int32_t number, std::string description) {
  if (description.empty()) description = std::string(StandardErrorText(number));
  return Error(status::FromErrorNumber(number), number, std::string(kLibraryName),
               std::move(description));
}

Error Error::External(Status status, std::string source, std::string description) {
  return Error(status, status, std::move(source), std::move(description));
}

std::string_view StandardErrorText(std::int32_t number) {
  switch (number) {
    case errnum::InvalidProcedureCall: return "Invalid procedure call or argument";
    case errnum::Overflow: return "Overflow";
    case errnum::SubscriptOutOfRange: return "Subscript out of range";
    case errnum::TypeMismatch: return "Type mismatch";
    case errnum::ObjectVariableNotSet: return "Object variable or With block variable not set";
    case errnum::InvalidUseOfNull: return "Invalid use of Null";
    case errnum::ObjectRequired: return "Object required";
    case errnum::ObjectDoesNotSupport: return "Object doesn't support this property or method";
    case errnum::WrongArgumentCount:
      return "Wrong number of arguments or invalid property assignment";
    case errnum::DuplicateKey:
      return "This key is already associated with an element of this collection";
    default: return "Application-defined or object-defined error";
  }
}

}  // namespace plexion
