#include "sources/OpenUrlCommand.h"

#include "sources/TempFileWriter.h"

namespace linkrake {

OpenUrlSettings& CurrentOpenUrlSettings() {
    static OpenUrlSettings settings;
    return settings;
}

std::string DownloadFailureMessage(const DownloadResult& result) {
    if (result.reason.empty()) {
        return result.failure;
    }
    return result.failure + "\n(" + result.reason + ")";
}

PageFetch FetchPageIntoFile(CUrlReader& reader, const std::string& address, const std::string& path) {
    const DownloadResult download = reader.Download(address);
    if (!download.ok) {
        return {PageFetchOutcome::DownloadFailed, DownloadFailureMessage(download), {}};
    }
    const FileWriteResult written = WriteTempFile(path, download.page);
    if (!written.ok) {
        return {PageFetchOutcome::FileFailed, kTempFileFailedMessage, written.reason};
    }
    return {PageFetchOutcome::Written, {}, {}};
}

}  // namespace linkrake
