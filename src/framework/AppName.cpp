#include "framework/AppName.h"

#include <filesystem>

namespace linkrake {
namespace {
std::string& Name() {
  static std::string name;
  return name;
}
}  // namespace

void SetAppNameFromPath(const std::string& executablePath) {
  SetAppName(std::filesystem::path(executablePath).stem().string());
}

void SetAppName(std::string name) { Name() = std::move(name); }

const std::string& AppName() { return Name(); }

}  // namespace linkrake
