#pragma once
// One save of the link list, as File > Save as... and the command-line tool do it:
// choose the file and format, build the content, write it safely.
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "output/OutputFile.h"
#include "output/SaveContent.h"
#include "output/SaveTarget.h"

namespace linkrake {

struct SaveOutcome {
  SaveTarget target;      // the path tried (with any appended extension) and its format
  std::error_code error;  // empty when the file was saved
  std::string message;    // what to show the user; empty when saved

  bool Saved() const { return !error; }
};

// "Unable to save contents to selected output file." with the tried path in
// parentheses on a second line.
std::string SaveFailureMessage(std::string_view triedPath);

SaveOutcome SaveContentTo(SaveTarget target, std::string_view content,
                          const ByteWriter& writer = WriteAllBytes);

// `path`, `extension` and `filterIndex` as the save dialog reported them; `base` is the
// base location text, which only the HTML format shows.
template <ItemList List>
SaveOutcome SaveLinks(const List& list, std::string_view path, std::string_view extension,
                      int filterIndex, std::string_view base,
                      const ByteWriter& writer = WriteAllBytes) {
  SaveTarget target = ChooseSaveTarget(path, extension, filterIndex);
  const std::string content = BuildSaveContent(list, target.format, base);
  return SaveContentTo(std::move(target), content, writer);
}

}  // namespace linkrake
