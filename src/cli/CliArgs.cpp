// Argument reading for talpo-cli.
#include "cli/CliArgs.h"

#include "common/StrConv.h"

namespace talpo::cli {

CliArgs::CliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                 const std::set<std::string>& flags) {
    bool onlyPositional = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyPositional || a.size() < 2 || a.compare(0, 2, "--") != 0) {
            positional_.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyPositional = true;
            continue;
        }
        const std::size_t eq = a.find('=');
        const std::string name = a.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        if (flags.count(name)) {
            if (eq != std::string::npos) throw UsageError("--" + name + " takes no value");
            options_[name] = "";
        } else if (valueOptions.count(name)) {
            if (eq != std::string::npos) {
                options_[name] = a.substr(eq + 1);
            } else if (i + 1 < args.size()) {
                options_[name] = args[++i];
            } else {
                throw UsageError("--" + name + " needs a value");
            }
        } else {
            throw UsageError("unknown option --" + name);
        }
    }
}

std::optional<std::string> CliArgs::Value(const std::string& name) const {
    const auto it = options_.find(name);
    if (it == options_.end()) return std::nullopt;
    return it->second;
}

std::optional<long long> CliArgs::Number(const std::string& name, long long min, long long max) const {
    const auto text = Value(name);
    if (!text) return std::nullopt;
    const auto value = TryStrToInt(*text);
    if (!value || *value < min || *value > max) {
        throw UsageError("--" + name + " must be a whole number from " + std::to_string(min) + " to " +
                         std::to_string(max) + ", not '" + *text + "'");
    }
    return *value;
}

}  // namespace talpo::cli
