#pragma once
// The program's string table.
#include <string>

namespace linkrake {

// The text of string resource `id`; the empty text when the table has no such string.
std::string LoadResourceString(int id);

}  // namespace linkrake
