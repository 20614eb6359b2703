#pragma once

#include <cstdlib>
#include <string>

// Setting and removing a variable of the test process's environment, which the programs it
// starts inherit. The C runtimes name these calls differently.
inline bool SetEnvVar(const char* name, const std::string& value) {
#ifdef _WIN32
    return _putenv_s(name, value.c_str()) == 0;
#else
    return setenv(name, value.c_str(), 1) == 0;
#endif
}

inline bool UnsetEnvVar(const char* name) {
#ifdef _WIN32
    // An empty value removes the variable there.
    return _putenv_s(name, "") == 0;
#else
    return unsetenv(name) == 0;
#endif
}
