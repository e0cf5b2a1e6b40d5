// Sets or clears an environment variable for as long as the object lives.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace vl::test {

class EnvVar {
public:
    // A value of nullopt removes the variable.
    EnvVar(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) old_ = old;
        if (value) setenv(name_.c_str(), value->c_str(), 1);
        else unsetenv(name_.c_str());
    }
    ~EnvVar() {
        if (old_) setenv(name_.c_str(), old_->c_str(), 1);
        else unsetenv(name_.c_str());
    }
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace vl::test
