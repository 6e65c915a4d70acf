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

namespace {

InvokeResult Failure(Status status, std::int32_t number, std::string description) {
  InvokeResult r;
  r.status = status;
  r.error = {status, number, std::string(kLibraryName), std::move(description)};
  return r;
}

InvokeResult FromError(Status status, const Error& e) {
  InvokeResult r;
  r.status = status;
  r.error = {e.status(), e.number(), e.source(), e.description()};
  return r;
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
    if (args.size() < m->RequiredCount() || args.size() > m->params.size()) {
      return Failure(status::BadParamCount, 450,
                     std::string(m->name) + " takes " +
                         (m->RequiredCount() == m->params.size()
                              ? std::to_string(m->params.size())
                              : std::to_string(m->RequiredCount()) + " to " +
                                    std::to_string(m->params.size())) +
                         " arguments, not " + std::to_string(args.size()));
    }
    InvokeResult r;
    r.value = m->invoke(self, args, m->params);
    return r;
  } catch (const ArgumentError& e) {
    InvokeResult r =
        FromError(e.number() == errnum::Overflow ? status::Overflow : status::TypeMismatch, e);
    r.argError = e.index();
    return r;
  } catch (const Error& e) {
    return FromError(status::Exception, e);
  } catch (const std::exception& e) {
    InvokeResult r = Failure(status::Exception, 0, e.what());
    r.error.scode = status::Fail;
    r.error.number = status::Fail;
    return r;
  } catch (...) {
    InvokeResult r = Failure(status::Exception, 0, "unknown failure");
    r.error.scode = status::Fail;
    r.error.number = status::Fail;
    return r;
  }
}

namespace dispatch {

std::vector<ParamInfo> MakeParams(Params table, std::vector<TypeDesc> types,
                                  std::vector<bool> writesBack, std::vector<bool> optional) {
  if (table.size() != 0 && table.size() != types.size())
    throw std::logic_error("a member's parameter list does not match its C++ signature");
  std::vector<ParamInfo> params;
  std::size_t i = 0;
  const P* rows = table.begin();
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
