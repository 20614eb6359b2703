// Linked into every test program: each test process and the programs it starts get a
// single-instance name space of their own, so that a test's Kavrin never meets the player's own
// Kavrin or one started by a test of another ctest run of the same user. A name space already
// set (a test's child that is a test program itself) is kept, so parent and child still meet.

#include <cstdlib>
#include <random>
#include <string>

#include "tests/support/EnvironmentVariable.h"

namespace {

std::string FreshNameSpace() {
    std::random_device source;
    std::uniform_int_distribution<unsigned long long> digits;
    return "test-" + std::to_string(digits(source));
}

const bool kNameSpaceSet = [] {
    const char* current = std::getenv("KAVRIN_INSTANCE_NAMESPACE");
    if (current != nullptr && current[0] != '\0') {
        return false;
    }
    return SetEnvVar("KAVRIN_INSTANCE_NAMESPACE", FreshNameSpace());
}();

}  // namespace
