#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/EnvironmentVariable.h"

// Sets an environment variable for the life of the object and puts the old value back, or
// removes the variable when it had none.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        SetEnvVar(name, value);
    }
    ~ScopedEnv() {
        if (old_) {
            SetEnvVar(name_, *old_);
        } else {
            UnsetEnvVar(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};
