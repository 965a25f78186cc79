#include "registry/ProductKeyRemoval.h"

#include "registry/ProductKeys.h"

namespace linkrake {

bool DeleteProductKey(SettingsStore store) {
    // Key paths are found ignoring the case of A-Z, so the profile's "Software\..." lies below
    // the product's "SOFTWARE\..." and goes with it.
    return store.deleteTree(kProductKey);
}

}  // namespace linkrake
