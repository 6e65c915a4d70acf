// The tab lists of every application (document type), written once as data.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace plexion::tabs {

enum class ModeRule : unsigned char { Any, Enterprise, NotEnterprise };
enum class FeatureRule : unsigned char { None, On, Off };

struct TabRow {
  std::vector<std::string_view> apps;  // the applications whose list holds this row
  std::string_view name, label, progId;
  ModeRule mode = ModeRule::Any;
  // Ask for enterprise mode again at this row instead of keeping the build's last answer.
  bool rereadsMode = false;
  std::string_view feature = {};
  FeatureRule featureRule = FeatureRule::None;
  std::string_view data = {};  // Data other than the application name
};

// The application names in the order in which a name is matched (exactly) when a set is built.
std::span<const std::string_view> ApplicationNames();

// Every tab row; an application's list is its rows taken top to bottom.
std::span<const TabRow> TabRows();

}  // namespace plexion::tabs
