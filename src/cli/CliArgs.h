// A small argument reader for talpo-cli: positional words and "--name value" / "--name=value" options.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace talpo::cli {

// A mistake on the command line: exit code 2 with the command's usage.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CliArgs {
public:
    // valueOptions take a value; flags stand alone. Anything else starting with "--" is a usage error.
    CliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
            const std::set<std::string>& flags);

    const std::vector<std::string>& Positional() const { return positional_; }
    bool Has(const std::string& name) const { return options_.count(name) > 0; }
    std::optional<std::string> Value(const std::string& name) const;
    // A whole number within [min, max], or a usage error naming the option.
    std::optional<long long> Number(const std::string& name, long long min, long long max) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> options_;
};

}  // namespace talpo::cli
