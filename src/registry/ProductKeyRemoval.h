#pragma once
// Taking the program's settings away for good: the whole product key with everything below
// it (the recent addresses and the application's profile) goes in one change of the store.
#include "registry/SettingsStore.h"

namespace linkrake {

// True when the product key is gone afterwards, also when there was none.
bool DeleteProductKey(SettingsStore store = SettingsStore());

}  // namespace linkrake
