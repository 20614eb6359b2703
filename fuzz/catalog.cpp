// The catalogue answer's packages and files.
#include <cstddef>
#include <cstdint>

#include "catalog/CatalogLoader.h"
#include "catalog/GameCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GameCatalog catalog;
    FillCatalog(reinterpret_cast<const char*>(data), size, catalog);
    return 0;
}
