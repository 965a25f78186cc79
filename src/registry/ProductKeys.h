#pragma once
// Where the program keeps its settings in the per-user store.
namespace linkrake {

// Given to CAppProfile::SetRegistryKey; the profile lives under "Software\<this>\<application>".
inline constexpr char kRegistryKey[] = "Morvane\\Linkrake\\2.2";

// The product's whole key: the recent addresses and the application's profile lie below it,
// and Uninstall takes it away with everything in it.
inline constexpr char kProductKey[] = "SOFTWARE\\Morvane\\Linkrake\\2.2";

}  // namespace linkrake
