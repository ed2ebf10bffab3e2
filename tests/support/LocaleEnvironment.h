#pragma once
// The locale variables of this test process, set for as long as the object lives: those not
// named are unset, so that the machine's own LANG or LC_ALL never decides a test.
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

class LocaleEnvironment {
public:
    explicit LocaleEnvironment(const std::vector<std::string>& settings)   // NAME=value each
    {
        for (const char* name : Names) {
            const char* value = std::getenv(name);
            saved[name] = value ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(name);
        }
        for (const std::string& setting : settings) {
            const size_t equals = setting.find('=');
            setenv(setting.substr(0, equals).c_str(), setting.substr(equals + 1).c_str(), 1);
        }
    }
    ~LocaleEnvironment()
    {
        for (const auto& [name, value] : saved) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }
    LocaleEnvironment(const LocaleEnvironment&) = delete;
    LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

private:
    static constexpr const char* Names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::map<std::string, std::optional<std::string>> saved;
};
