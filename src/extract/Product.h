#pragma once
// Facts about the product that several parts of the program show or store.
namespace linkrake {

// The maker's web site: the base location after File > Open, the About box's link,
// the general help text and the command-line tool's default base.
inline constexpr const char kMakerSite[] = "http://www.morvane.example";

inline constexpr const char kProductVersion[] = "2.2";

}  // namespace linkrake
