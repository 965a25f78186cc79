#pragma once
// Help > Uninstall: after a confirmation, every setting the program keeps goes away in one
// step (the product key with the recent addresses and the application's profile below it).
// The program goes on running; what it still holds in memory is written back at exit.
#include "registry/SettingsStore.h"

namespace linkrake {

inline constexpr char kUninstallConfirmMessage[] = "Are you sure you want to remove Linkrake 2.2 ?";
inline constexpr char kUninstallDoneMessage[] =
    "The registry keys are removed.\nYou can now delete the executable Linkrake.exe\n"
    "to completely uninstall the program.";
// When the store cannot be changed: saying the keys were removed would not be true.
inline constexpr char kUninstallFailedMessage[] =
    "The registry keys could not be removed.\nThe settings file may be in use or not writable.";

enum class UninstallResult { NotConfirmed, Removed, Failed };

// Asks, removes on Yes and tells the user the outcome.
UninstallResult RunUninstall(SettingsStore store = SettingsStore());

}  // namespace linkrake
