#include "plexion/platform/dispatch.hpp"

#include <algorithm>
#include <bit>
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
  BuildSlots();
}

namespace {

// A member's one kind as a slot position; a table row of no kind is a mistake in the table.
int KindIndex(InvokeKind k) {
  const auto bits = static_cast<unsigned>(k);
  if (!std::has_single_bit(bits) || bits > 8) throw std::logic_error("a member of no one kind");
  return std::countr_zero(bits);
}

}  // namespace

void InterfaceInfo::BuildSlots() {
  if (members_.size() > INT16_MAX) throw std::logic_error("an interface with too many members");
  std::vector<DispId> ids;
  for (const MemberInfo& m : members_)
    if (std::find(ids.begin(), ids.end(), m.id) == ids.end()) ids.push_back(m.id);
  // Twice as many slots as ids or more, and multipliers tried until no two ids meet: a few
  // tries at most for the tables of a type library.
  int bits = 1;
  while ((std::size_t{1} << bits) < 2 * ids.size()) ++bits;
  std::uint32_t candidate = 0x9E3779B1u;
  for (int attempt = 0;; ++attempt) {
    if (attempt > 0 && attempt % 64 == 0) ++bits;  // crowded: a larger table
    if (bits > 20) throw std::logic_error("no slot table for the interface's dispatch ids");
    multiplier_ = candidate;
    shift_ = 32 - bits;
    candidate = candidate * 0x2C9277B5u + 0x6A09E668u;  // odd times odd plus even: odd
    std::vector<bool> taken(std::size_t{1} << bits);
    bool clash = false;
    for (DispId id : ids) {
      const std::size_t at = SlotIndex(id);
      clash = clash || taken[at];
      taken[at] = true;
    }
    if (!clash) break;
  }
  Slot empty;
  std::fill(std::begin(empty.byKinds), std::end(empty.byKinds), std::int16_t{-1});
  slots_.assign(std::size_t{1} << bits, empty);
  for (std::size_t i = 0; i < members_.size(); ++i) {
    Slot& slot = slots_[SlotIndex(members_[i].id)];
    slot.used = true;
    slot.id = members_[i].id;
    const unsigned kind = 1u << KindIndex(members_[i].kind);
    // Several accessors may match "method or get": the earliest in the table wins.
    for (unsigned kinds = 0; kinds < 16; ++kinds)
      if ((kinds & kind) && slot.byKinds[kinds] < 0)
        slot.byKinds[kinds] = static_cast<std::int16_t>(i);
  }
}

const MemberInfo* InterfaceInfo::Find(DispId id, InvokeKind kinds) const noexcept {
  const Slot* slot = SlotOf(id);
  if (!slot) return nullptr;
  const int i = slot->byKinds[static_cast<unsigned>(kinds) & 15u];
  return i < 0 ? nullptr : &members_[static_cast<std::size_t>(i)];
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

// The failures below are built apart from Invoke, which stays lean for the calls that succeed.
[[gnu::noinline]] InvokeResult NoMember(const InterfaceInfo& itf, DispId id) {
  return Failure(status::MemberNotFound, errnum::ObjectDoesNotSupport,
                 std::string(itf.name()) + " has no member with dispatch id " + std::to_string(id) +
                     " for this call");
}

[[gnu::noinline]] InvokeResult WrongArgumentCount(const MemberInfo& m, std::size_t given) {
  const std::size_t required = m.RequiredCount(), all = m.params.size();
  const std::string expected = required == all
                                   ? std::to_string(all)
                                   : std::to_string(required) + " to " + std::to_string(all);
  return Failure(
      status::BadParamCount, errnum::WrongArgumentCount,
      std::string(m.name) + " takes " + expected + " arguments, not " + std::to_string(given));
}

}  // namespace

InvokeResult Invoke(Object& self, const InterfaceInfo& itf, DispId id, InvokeKind kinds,
                    std::span<Variant> args) noexcept {
  // Every answer is returned as it is made, so that the member's result is built in the
  // caller's result in place.
  try {
    const MemberInfo* m = itf.Find(id, kinds);
    if (!m) return NoMember(itf, id);
    if (args.size() != m->params.size() &&
        (args.size() > m->params.size() || args.size() < m->RequiredCount()))
      return WrongArgumentCount(*m, args.size());
    return InvokeResult([&] { return m->invoke(self, args, m->params); });
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
