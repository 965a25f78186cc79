#pragma once
#include <string>

#include "sources/CUrlReader.h"

namespace linkrake {

struct CliPage {
  std::string address;  // as completed by the base rule
  DownloadResult result;
};

// Completes the address by the base rule and downloads the page with the URL reader.
CliPage DownloadPage(std::string address, const UrlReaderLimits& limits = {});

}  // namespace linkrake
