// plexion --help and COMMAND --help in the form of a manual page.
#include <algorithm>
#include <cctype>
#include <sstream>

#include "context.hpp"

namespace plexion::cli {

namespace {

std::string Indented(const std::string& text, const std::string& indent = "    ") {
  std::stringstream in(text), out;
  std::string line;
  while (std::getline(in, line)) out << (line.empty() ? "" : indent) << line << "\n";
  return out.str();
}

std::string CommandPath(const CLI::App* app) {
  std::string path = app->get_name();
  for (const CLI::App* p = app->get_parent(); p; p = p->get_parent())
    path = (p->get_parent() ? p->get_name() : std::string("plexion")) + " " + path;
  return app->get_parent() ? path : std::string("plexion");
}

std::string Summary(const std::string& description) {
  return description.substr(0, description.find('\n'));
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

class ManPageFormatter final : public CLI::Formatter {
 public:
  std::string make_group(std::string group, bool positional,
                         std::vector<const CLI::Option*> opts) const override {
    if (opts.empty()) return {};
    std::stringstream out;
    out << (positional ? std::string("ARGUMENTS") : Upper(group)) << "\n";
    for (const CLI::Option* opt : opts) out << make_option(opt, positional);
    return out.str() + "\n";
  }
  std::string make_subcommands(const CLI::App* app, CLI::AppFormatMode) const override {
    const auto subs =
        app->get_subcommands([](const CLI::App* s) { return !s->get_name().empty(); });
    if (subs.empty()) return {};
    std::stringstream out;
    out << "COMMANDS\n";
    for (const CLI::App* sub : subs) {
      std::string name = "    " + sub->get_name();
      name.resize(std::max<std::size_t>(name.size() + 2, 18), ' ');
      out << name << Summary(sub->get_description()) << "\n";
    }
    return out.str() + "\n";
  }

  std::string make_help(const CLI::App* app, std::string name,
                        CLI::AppFormatMode mode) const override {
    if (mode == CLI::AppFormatMode::Sub) return CLI::Formatter::make_help(app, name, mode);
    std::stringstream out;
    const std::string description = app->get_description();
    out << "NAME\n    " << CommandPath(app) << " - " << Summary(description) << "\n\n";
    constexpr std::string_view kUsagePrefix = "Usage: ";  // CLI11's; the section title says it
    std::string usage = make_usage(app, CommandPath(app));
    if (usage.starts_with(kUsagePrefix)) usage = usage.substr(kUsagePrefix.size());
    out << "SYNOPSIS\n" << Indented(usage) << "\n";
    if (description.find('\n') != std::string::npos)
      out << "DESCRIPTION\n" << Indented(description.substr(description.find('\n') + 1)) << "\n";
    out << make_positionals(app) << make_groups(app, mode) << make_subcommands(app, mode);
    const std::string footer = app->get_footer();
    if (!footer.empty()) out << footer << "\n";
    return out.str();
  }
};

}  // namespace

void Examples(CLI::App& command, std::initializer_list<const char*> lines) {
  std::string text = "EXAMPLES\n";
  for (const char* line : lines) text += std::string("    ") + line + "\n";
  command.footer(text);
}

void UseManualPageHelp(CLI::App& app) {
  auto formatter = std::make_shared<ManPageFormatter>();
  formatter->column_width(34);
  app.formatter(formatter);
}

}  // namespace plexion::cli
