// The member tables the type library is built from, one function per interface, each table
// built once. type_library.cpp holds the tab framework's, data_interfaces.cpp the data
// objects', external_interfaces.cpp those of the external components that hosts and scripts
// meet.
#pragma once

#include <vector>

#include "plexion/component/type_library.hpp"

namespace plexion::component::tables {

const InterfaceInfo& CReportDefDataInterface();
const InterfaceInfo& CSchedDataInterface();
const InterfaceInfo& CSASchedDataInterface();
const InterfaceInfo& CDataAvailDataInterface();

// The external interfaces in the order `plexion typelib` prints them.
std::vector<ExternalInterfaceInfo> ExternalInterfaces();

}  // namespace plexion::component::tables
