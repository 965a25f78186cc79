#include "output/SaveTarget.h"

#include "output/SaveFilters.h"

namespace linkrake {

std::string_view ExtensionOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
}

SaveTarget ChooseSaveTarget(std::string_view path, std::string_view extension, int filterIndex) {
  SaveTarget target{std::string(path),
                    filterIndex == kHtmlFilterIndex ? SaveFormat::Html : SaveFormat::PlainText};
  if (!extension.empty()) {
    return target;
  }
  if (filterIndex == kHtmlFilterIndex) {
    target.path += ".html";
  } else {
    target.path += ".txt";
    if (filterIndex == kDownloadListFilterIndex) {
      target.format = SaveFormat::DownloadList;
    }
  }
  return target;
}

}  // namespace linkrake
