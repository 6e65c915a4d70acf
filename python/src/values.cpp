// Values between Python and the library's variants.
#include "bridge.hpp"

#include <datetime.h>

#include <limits>

namespace plexion::python {

namespace {

ValueTypes* g_types = nullptr;

// Dates: the library counts days since 30 December 1899; before that day the time of day is
// still a positive fraction (-1.25 is 29 December 1899 06:00).
py::object DateToPython(DateTime value) {
  const CivilDateTime c = value.ToCivil();
  return Types().datetime(c.year, c.month, c.day, c.hour, c.minute, c.second);
}

DateTime DateFromPython(py::handle value) {
  const int year = PyDateTime_GET_YEAR(value.ptr()), month = PyDateTime_GET_MONTH(value.ptr()),
            day = PyDateTime_GET_DAY(value.ptr());
  const double days = DateTime::FromParts(year, month, day).serial();
  if (!PyDateTime_Check(value.ptr())) return DateTime(days);
  const double seconds = PyDateTime_DATE_GET_HOUR(value.ptr()) * 3600.0 +
                         PyDateTime_DATE_GET_MINUTE(value.ptr()) * 60.0 +
                         PyDateTime_DATE_GET_SECOND(value.ptr()) +
                         PyDateTime_DATE_GET_MICROSECOND(value.ptr()) / 1e6;
  const double fraction = seconds / 86400.0;
  return DateTime(days >= 0 ? days + fraction : days - fraction);
}

py::object ArrayToPython(const VariantArray& a) {
  py::list items;
  py::list bounds;
  for (const Bounds& b : a.bounds()) bounds.append(py::make_tuple(b.lower, b.upper));
  if (a.dims() == 1) {
    for (const Variant& v : a.elements()) items.append(ToPython(v));
  } else if (a.dims() == 2) {
    for (std::int32_t i = a.LBound(1); i <= a.UBound(1); ++i) {
      py::list row;
      for (std::int32_t j = a.LBound(2); j <= a.UBound(2); ++j) row.append(ToPython(a.at(i, j)));
      items.append(std::move(row));
    }
  }
  return Types().array(items, py::arg("bounds") = bounds);
}

std::int32_t BoundOf(py::handle bounds, std::size_t dim, std::size_t part) {
  return py::cast<std::int32_t>(bounds[py::int_(dim)][py::int_(part)]);
}

VariantArray ArrayFromPython(py::handle value) {
  if (!py::isinstance(value, Types().array)) {
    std::vector<Variant> items;
    for (py::handle item : value) items.push_back(FromPython(item));
    return VariantArray::FromVector(std::move(items), 0);
  }
  const py::object bounds = value.attr("bounds");
  const std::size_t dims = py::len(bounds);
  if (dims == 0) return VariantArray();
  if (dims == 1) {
    std::vector<Variant> items;
    for (py::handle item : value) items.push_back(FromPython(item));
    return VariantArray::FromVector(std::move(items), BoundOf(bounds, 0, 0));
  }
  if (dims != 2) throw py::value_error("an array has one or two dimensions");
  const Bounds first{BoundOf(bounds, 0, 0), BoundOf(bounds, 0, 1)};
  const Bounds second{BoundOf(bounds, 1, 0), BoundOf(bounds, 1, 1)};
  VariantArray a(first, second);
  for (std::int32_t i = first.lower; i <= first.upper; ++i) {
    py::handle row = value[py::int_(i - first.lower)];
    if (static_cast<std::int64_t>(py::len(row)) != second.count())
      throw py::value_error("a row of a two-dimensional array does not match its bounds");
    for (std::int32_t j = second.lower; j <= second.upper; ++j)
      a.at(i, j) = FromPython(row[py::int_(j - second.lower)]);
  }
  return a;
}

Variant IntFromPython(py::handle value, const TypeDesc* type) {
  int overflow = 0;
  const long long n = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
  if (n == -1 && PyErr_Occurred()) throw py::error_already_set();
  if (!overflow && n >= std::numeric_limits<std::int32_t>::min() &&
      n <= std::numeric_limits<std::int32_t>::max())
    return Variant(static_cast<std::int32_t>(n));
  // The library's integers are 16 and 32 bits; a floating-point parameter takes any int.
  if (type && (type->type == VarType::Float64 || type->type == VarType::Float32) && !type->array)
    return Variant(py::cast<double>(value));
  const std::string text = py::str(value);
  PyErr_SetString(
      PyExc_OverflowError,
      (text + " does not fit a Long (32-bit integer), the widest integer of Plexion").c_str());
  throw py::error_already_set();
}

bool IsObjectType(const TypeDesc* type) {
  return type && type->type == VarType::Object && !type->array;
}

}  // namespace

const ValueTypes& Types() { return *g_types; }

void LoadValueTypes() {
  PyDateTime_IMPORT;
  if (!PyDateTimeAPI) throw py::error_already_set();
  py::module_ values = py::module_::import("plexion._values");
  py::module_ datetime = py::module_::import("datetime");
  // Kept for the life of the process: released at interpreter exit would be too late.
  g_types = new ValueTypes{values.attr("Ref"),
                           values.attr("Array"),
                           values.attr("Null"),
                           values.attr("Empty"),
                           values.attr("Nothing"),
                           values.attr("DispatchError"),
                           values.attr("DispatchOverflowError"),
                           values.attr("ApartmentError"),
                           datetime.attr("datetime"),
                           datetime.attr("date")};
}

py::object ToPython(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty: return py::none();
    case VarType::Null: return Types().null;
    case VarType::Int16: return py::int_(*value.Value().Get<std::int16_t>());
    case VarType::Int32: return py::int_(*value.Value().Get<std::int32_t>());
    case VarType::Float32: return py::float_(*value.Value().Get<float>());
    case VarType::Float64: return py::float_(*value.Value().Get<double>());
    case VarType::Date: return DateToPython(*value.Value().Get<DateTime>());
    case VarType::String: return py::str(value.StringValue());
    case VarType::Bool: return py::bool_(*value.Value().Get<bool>());
    case VarType::Object: {
      Ref<Object> object = value.ObjectValue();
      if (!object) return py::none();
      if (PyObject* impl = PythonImplementationOf(*object))
        return py::reinterpret_borrow<py::object>(impl);
      return Wrap(object);
    }
    case VarType::Array: return ArrayToPython(value.ArrayValue());
    default: break;
  }
  throw py::type_error("a value of type " + std::string(TypeName(value.Type())) +
                       " has no Python form");
}

Variant FromPython(py::handle value, const TypeDesc* type) {
  if (value.is_none()) return IsObjectType(type) ? Variant::Nothing() : Variant();
  if (value.is(Types().null)) return Variant::Null();
  if (value.is(Types().empty)) return Variant();
  if (value.is(Types().nothing)) return Variant::Nothing();
  if (PyBool_Check(value.ptr())) return Variant(value.ptr() == Py_True);
  if (PyLong_Check(value.ptr())) return IntFromPython(value, type);
  if (PyFloat_Check(value.ptr())) return Variant(PyFloat_AS_DOUBLE(value.ptr()));
  if (PyUnicode_Check(value.ptr())) return Variant(py::cast<std::string>(value));
  if (PyDate_Check(value.ptr())) return Variant(DateFromPython(value));
  if (IsWrapper(value)) return Variant(Ref<Object>(Unwrap(value)));
  if (PyList_Check(value.ptr()) || PyTuple_Check(value.ptr()))
    return Variant(ArrayFromPython(value));
  if (type && type->type == VarType::Object && !type->objectType.empty()) {
    if (Ref<Object> impl = ImplementInPython(type->objectType, value)) return Variant(impl);
  }
  if (py::isinstance(value, Types().ref))
    throw py::type_error("a plexion.Ref holder is an argument of its own, not part of a value");
  throw py::type_error("a value of type '" +
                       std::string(py::str(value.get_type().attr("__name__"))) +
                       "' cannot be passed to Plexion" +
                       (IsObjectType(type) ? " where a " + type->Name() + " is expected" : ""));
}

}  // namespace plexion::python
