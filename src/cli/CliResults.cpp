#include "cli/CliResults.h"

#include "extract/Messages.h"
#include "output/SaveContent.h"
#include "output/SaveResults.h"

namespace linkrake {

std::size_t NoLinksItemIndex(const LinkList& list, bool searchAddedIt) {
  if (!searchAddedIt) return kNoItem;
  // The list is sorted: the first item not below the text is one of its copies.
  std::size_t low = 0;
  std::size_t high = list.GetItemCount();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (list.GetItemText(middle) < kNoLinksItem) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return list.GetItemText(low) == kNoLinksItem ? low : kNoItem;
}

bool PrintResults(const LinkList& list, std::size_t skip, SaveFormat format,
                  std::string_view base, std::ostream& out) {
  constexpr std::size_t kChunk = std::size_t{1} << 16;
  const SaveContentLayout layout(format, base, LineEnd::Lf);
  std::string chunk;
  chunk.reserve(kChunk * 2);
  layout.AppendHeader(chunk);
  // With LF ends the plain layout is each text and a line feed, and links hold no line feed:
  // appended directly, a long list goes out several times faster.
  const bool plain = format == SaveFormat::PlainText;
  for (std::size_t i = 0, count = list.GetItemCount(); i < count; ++i) {
    if (i == skip) continue;
    const std::string_view text = list.GetItemText(i);
    if (plain && text.find('\n') == std::string_view::npos) {
      chunk.append(text);
      chunk += '\n';
    } else {
      layout.AppendItem(chunk, text);
    }
    if (chunk.size() >= kChunk) {
      out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
      chunk.clear();
    }
  }
  out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  out.flush();
  return static_cast<bool>(out);
}

std::string SaveResultsFile(const LinkList& list, SaveFormat format, std::string_view base,
                            const std::string& path) {
  const std::string content = BuildSaveContent(list, format, base);
  return SaveContentTo(SaveTarget{path, format}, content).message;
}

}  // namespace linkrake
