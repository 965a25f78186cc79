#pragma once
// The window-free half of HTML > Open URL...: the texts the command shows, the timing it can
// be tuned with, and the fetch of a page into the temporary file with what to tell the user
// when that fails.
#include <chrono>
#include <string>

#include "sources/CUrlReader.h"

namespace linkrake {

inline constexpr char kOpenUrlReadingFile[] = "Reading file...";
inline constexpr char kOpenUrlLabel[] = "URL location";
inline constexpr char kOpenUrlFinished[] = "Finished";
inline constexpr char kTempFileFailedMessage[] =
    "Unable to create a temporary file.\nCheck if the disk is full.\nNo addresses can be found.";

struct OpenUrlSettings {
    // How long "Finished" stays on show before the address takes its place.
    std::chrono::milliseconds finishedPause{1'000};
    // The bounds of each download.
    UrlReaderLimits readerLimits;
};

// The settings every Open URL command of this process uses; tests shorten them.
OpenUrlSettings& CurrentOpenUrlSettings();

// The failure text, then the reason in parentheses on a line of its own.
std::string DownloadFailureMessage(const DownloadResult& result);

enum class PageFetchOutcome {
    Written,         // the page is in the file
    DownloadFailed,  // nothing was written; `message` says why
    FileFailed,      // the page came but the file could not be written; `message` says so
};

struct PageFetch {
    PageFetchOutcome outcome = PageFetchOutcome::DownloadFailed;
    std::string message;  // for the user's message box; empty when written
    std::string detail;   // why the file failed, for whoever looks closer
};

// Downloads `address` with `reader` and writes every byte of the page into `path`. A failed
// download leaves the file alone.
PageFetch FetchPageIntoFile(CUrlReader& reader, const std::string& address, const std::string& path);

}  // namespace linkrake
