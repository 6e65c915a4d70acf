#include "plexion/platform/dispatch.hpp"

#include <cstdio>

#include "plexion/platform/text.hpp"

namespace plexion {

std::string_view KindName(InvokeKind k) {
  switch (k) {
    case InvokeKind::Method: return "method";
    case InvokeKind::Get: return "get";
    case InvokeKind::Let: return "let";
    case InvokeKind::Set: return "set";
  }
  return "?";
}

std::string TypeDesc::Name() const {
  std::string n = !objectType.empty() ? std::string(objectType) : std::string(TypeName(type));
  if (type == VarType::Empty) n = "";
  return array ? n + "()" : n;
}

std::size_t MemberInfo::RequiredCount() const {
  std::size_t n = 0;
  for (const ParamInfo& p : params)
    if (!p.optional) ++n;
  return n;
}

std::string MemberInfo::Signature() const {
  std::string s(name);
  s += "(";
  for (std::size_t i = 0; i < params.size(); ++i) {
    const ParamInfo& p = params[i];
    if (i) s += ", ";
    if (p.optional) s += "Optional ";
    s += p.byRef ? "ByRef " : "ByVal ";
    s += std::string(p.name) + " As " + p.type.Name();
    if (p.defaultValue) s += " = " + p.defaultValue->Describe();
  }
  s += ")";
  if (result.type != VarType::Empty) s += " As " + result.Name();
  return s;
}

std::string DispIdText(DispId id) {
  if (id > -0x10000 && id < 0x10000) return std::to_string(id);
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(id));
  return buf;
}

InterfaceInfo::InterfaceInfo(std::string_view name, Guid iid, std::vector<MemberInfo> members)
    : name_(name), iid_(iid), members_(std::move(members)) {
  for (std::size_t i = 0; i < members_.size(); ++i) byId_.emplace(members_[i].id, i);
}

const MemberInfo* InterfaceInfo::Find(DispId id, InvokeKind kinds) const {
  const auto [first, last] = byId_.equal_range(id);
  const MemberInfo* found = nullptr;
  for (auto it = first; it != last; ++it) {
    const MemberInfo& m = members_[it->second];
    // Several accessors may match "method or get": the earliest in the table wins.
    if (Includes(kinds, m.kind) && (!found || &m < found)) found = &m;
  }
  return found;
}

std::optional<DispId> InterfaceInfo::IdOfName(std::string_view name) const {
  for (const MemberInfo& m : members_)
    if (EqualsNoCase(m.name, name)) return m.id;
  return std::nullopt;
}

InvokeResult ErrorResult(const Error& error, Status status) {
  InvokeResult r;
  r.status = status;
  r.error = {error.status(), error.number(), error.source(), error.description()};
  return r;
}

namespace {

// A failure the dispatch machinery finds itself: its status is the error's own.
InvokeResult Failure(Status status, std::int32_t number, std::string description) {
  return ErrorResult(Error(status, number, std::string(kLibraryName), std::move(description)),
                     status);
}

// A failure that is no error of the library: the status of an unspecified failure.
InvokeResult Unexpected(std::string description) {
  return ErrorResult(
      Error(status::Fail, status::Fail, std::string(kLibraryName), std::move(description)));
}

std::string ArgumentCountText(const MemberInfo& m, std::size_t given) {
  const std::size_t required = m.RequiredCount(), all = m.params.size();
  const std::string expected = required == all
                                   ? std::to_string(all)
                                   : std::to_string(required) + " to " + std::to_string(all);
  return std::string(m.name) + " takes " + expected + " arguments, not " + std::to_string(given);
}

}  // namespace

InvokeResult Invoke(Object& self, const InterfaceInfo& itf, DispId id, InvokeKind kinds,
                    std::span<Variant> args) noexcept {
  try {
    const MemberInfo* m = itf.Find(id, kinds);
    if (!m) {
      return Failure(status::MemberNotFound, errnum::ObjectDoesNotSupport,
                     std::string(itf.name()) + " has no member with dispatch id " +
                         std::to_string(id) + " for this call");
    }
    if (args.size() < m->RequiredCount() || args.size() > m->params.size())
      return Failure(status::BadParamCount, errnum::WrongArgumentCount,
                     ArgumentCountText(*m, args.size()));
    InvokeResult r;
    r.value = m->invoke(self, args, m->params);
    return r;
  } catch (const ArgumentError& e) {
    InvokeResult r =
        ErrorResult(e, e.number() == errnum::Overflow ? status::Overflow : status::TypeMismatch);
    r.argError = e.index();
    return r;
  } catch (const Error& e) {
    return ErrorResult(e);
  } catch (const std::exception& e) {
    return Unexpected(e.what());
  } catch (...) {
    return Unexpected("unknown failure");
  }
}

namespace dispatch {

std::vector<ParamInfo> MakeParams(Params table, std::vector<TypeDesc> types,
                                  std::vector<bool> writesBack, std::vector<bool> optional) {
  if (table.size() != 0 && table.size() != types.size())
    throw std::logic_error("a member's parameter list does not match its C++ signature");
  std::vector<ParamInfo> params;
  std::size_t i = 0;
  const Param* rows = table.begin();
  for (; i < types.size(); ++i) {
    ParamInfo p;
    p.type = types[i];
    p.byRef = writesBack[i];
    p.optional = optional[i];
    if (table.size() != 0) {
      p.name = rows[i].name;
      p.byRef = p.byRef || rows[i].byRef;
      p.optional = p.optional || rows[i].optional;
      p.defaultValue = rows[i].defaultValue;
    } else {
      p.name = types.size() == 1 ? "RHS" : "arg";
    }
    params.push_back(std::move(p));
  }
  return params;
}

}  // namespace dispatch
}  // namespace plexion
