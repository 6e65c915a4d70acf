// Status codes and the one error type of the library.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace plexion {

// An HRESULT-style 32-bit status: negative means failure.
using Status = std::int32_t;

namespace status {
inline constexpr Status Ok = 0;
inline constexpr Status False = 1;
inline constexpr Status NotImplemented = static_cast<Status>(0x80004001u);
inline constexpr Status NoInterface = static_cast<Status>(0x80004002u);
inline constexpr Status Pointer = static_cast<Status>(0x80004003u);
inline constexpr Status Fail = static_cast<Status>(0x80004005u);
inline constexpr Status InvalidArg = static_cast<Status>(0x80070057u);
inline constexpr Status FileNotFound = static_cast<Status>(0x80070002u);
inline constexpr Status AccessDenied = static_cast<Status>(0x80070005u);
inline constexpr Status NoAggregation = static_cast<Status>(0x80040110u);
inline constexpr Status ClassNotAvailable = static_cast<Status>(0x80040111u);
inline constexpr Status ClassNotRegistered = static_cast<Status>(0x80040154u);
inline constexpr Status UnknownInterface = static_cast<Status>(0x80020001u);
inline constexpr Status MemberNotFound = static_cast<Status>(0x80020003u);
inline constexpr Status ParamNotFound = static_cast<Status>(0x80020004u);
inline constexpr Status TypeMismatch = static_cast<Status>(0x80020005u);
inline constexpr Status UnknownName = static_cast<Status>(0x80020006u);
inline constexpr Status NoNamedArgs = static_cast<Status>(0x80020007u);
inline constexpr Status BadVarType = static_cast<Status>(0x80020008u);
inline constexpr Status Exception = static_cast<Status>(0x80020009u);
inline constexpr Status Overflow = static_cast<Status>(0x8002000Au);
inline constexpr Status BadIndex = static_cast<Status>(0x8002000Bu);
inline constexpr Status BadParamCount = static_cast<Status>(0x8002000Eu);
inline constexpr Status ParamNotOptional = static_cast<Status>(0x8002000Fu);
inline constexpr Status NoConnection = static_cast<Status>(0x80040200u);
inline constexpr Status CannotConnect = static_cast<Status>(0x80040202u);
// Errors of the database, settings and other external services of the default backends.
inline constexpr Status Database = static_cast<Status>(0x80040E14u);
inline constexpr Status Configuration = static_cast<Status>(0x80040E15u);
inline constexpr Status Registry = static_cast<Status>(0x80040E16u);

// The status a run-time error of the host language carries (facility "control").
constexpr Status FromErrorNumber(std::int32_t number) {
  return static_cast<Status>(0x800A0000u | (static_cast<std::uint32_t>(number) & 0xFFFFu));
}
constexpr bool Failed(Status s) { return s < 0; }
}  // namespace status

// Standard run-time error numbers of the host language.
namespace errnum {
inline constexpr std::int32_t InvalidProcedureCall = 5;
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t SubscriptOutOfRange = 9;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t ObjectVariableNotSet = 91;
inline constexpr std::int32_t InvalidUseOfNull = 94;
inline constexpr std::int32_t ObjectRequired = 424;
inline constexpr std::int32_t ObjectDoesNotSupport = 438;
inline constexpr std::int32_t WrongArgumentCount = 450;
inline constexpr std::int32_t DuplicateKey = 457;
}  // namespace errnum

// Every failure leaves the library as this exception. An external component's error keeps
// its own status; a run-time error of the host language has status 0x800A0000 + number.
class Error : public std::runtime_error {
 public:
  Error(Status status, std::int32_t number, std::string source, std::string description);

  Status status() const noexcept { return status_; }
  std::int32_t number() const noexcept { return number_; }
  const std::string& source() const noexcept { return source_; }
  const std::string& description() const noexcept { return description_; }

  // A run-time error by number, with the host language's standard text unless one is given.
  static Error Runtime(std::int32_t number, std::string description = {});
  // An error of an external service: the number is the status itself, as hosts see it.
  static Error External(Status status, std::string source, std::string description);

 private:
  Status status_;
  std::int32_t number_;
  std::string source_;
  std::string description_;
};

// The host language's text for a standard run-time error number ("Type mismatch").
std::string_view StandardErrorText(std::int32_t number);

inline constexpr std::string_view kLibraryName = "Plexion";

}  // namespace plexion
