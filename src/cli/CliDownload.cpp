#include "cli/CliDownload.h"

#include <utility>

#include "extract/BaseRule.h"

namespace linkrake {

CliPage DownloadPage(std::string address, const UrlReaderLimits& limits) {
  ApplyBaseRule(address);
  CUrlReader reader(limits);
  DownloadResult result = reader.Download(address);
  return {std::move(address), std::move(result)};
}

}  // namespace linkrake
