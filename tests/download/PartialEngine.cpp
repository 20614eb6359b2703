// An engine library that exports only two of the names, to show the wrapper skipping the rest.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int32_t DL_Init(void) {
    return 1;
}

extern "C" __attribute__((visibility("default"))) int32_t DL_GetVersion(void) {
    return 7;
}
