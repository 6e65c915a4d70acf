// The baseline of bench/python_getter.py: a direct pybind11 binding of the typed getter
// CPlexionCtl::Name, for the tab descriptors of one application.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <plexion/tabs/gplexion.hpp>
#include <plexion/tabs/tab_set.hpp>

namespace py = pybind11;
using namespace plexion;

// Plexion objects are counted intrusively: a Ref<T> held by Python is one more count.
PYBIND11_DECLARE_HOLDER_TYPE(T, plexion::Ref<T>, true)

PYBIND11_MODULE(plexion_bench_direct, m) {
  py::class_<CPlexionCtl, Ref<CPlexionCtl>>(m, "CPlexionCtl")
      .def_property_readonly("Name", &CPlexionCtl::Name);
  m.def("first_tab", [](const std::string& app) {
    return GPlexion::Global()->AppTabs(app)->Item(Variant(std::int32_t{1}));
  });
}
