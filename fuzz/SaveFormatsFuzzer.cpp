// The three save formats on arbitrary links and base texts, and the file writer that saves them.
//
// Input: one byte of choices (bits 0-1 the format, bit 2 LF line ends, bit 3 also write the file),
// then the base text and the links, separated by NUL bytes (no link holds one).
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzBytes.h"
#include "Reference.h"
#include "output/OutputFile.h"
#include "output/SaveContent.h"

namespace linkrake::fuzz {
namespace {

struct Items {
  std::vector<std::string> texts;
  std::size_t GetItemCount() const { return texts.size(); }
  std::string_view GetItemText(std::size_t i) const {
    return i < texts.size() ? std::string_view(texts[i]) : std::string_view();
  }
};

std::string Lines(std::string_view text, std::string_view lineEnd) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += lineEnd;
    } else {
      out += c;
    }
  }
  return out;
}

std::string Escaped(std::string_view text, std::string_view lineEnd) {
  std::string out;
  for (char c : Lines(text, lineEnd)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// What a format holds, written out piece by piece from its description.
std::string Expected(const Items& items, SaveFormat format, std::string_view base,
                     std::string_view le) {
  std::string out;
  if (format == SaveFormat::Html) {
    out += "<html> " + std::string(le) + "<head> " + std::string(le) +
           "<title>Morvane Linkrake results of " + Escaped(base, le) + "</title> " +
           std::string(le) + "<meta name=\"GENERATOR\" content=\"Morvane\"> " + std::string(le) +
           "</head> " + std::string(le) + "<body bgcolor=\"#C0C0C0\"> </body>" + std::string(le);
  }
  for (const std::string& text : items.texts) {
    switch (format) {
      case SaveFormat::Html:
        out += "<a href=\"" + Escaped(text, le) + "\">" + Escaped(text, le) + "</a><br>";
        break;
      case SaveFormat::DownloadList:
        out += "URL: " + Lines(text, le);
        break;
      case SaveFormat::PlainText:
        out += Lines(text, le);
        break;
    }
    out += le;
  }
  return out;
}

// In the HTML format a '<' or '>' comes only from the format's own tags, and every '&' begins
// one of the four entities: no link can open a tag or a script of its own.
void CheckHtmlIsInert(std::string_view content, std::size_t items) {
  std::size_t anchors = 0;
  for (std::size_t at = content.find("<a href=\""); at != std::string_view::npos;
       at = content.find("<a href=\"", at + 1)) {
    ++anchors;
  }
  Check(anchors == items, "one anchor for every link");
  std::size_t tagOpen = 0;
  for (char c : content) tagOpen += c == '<';
  // The header's eight tags and the three of every item.
  Check(tagOpen == 8 + 3 * items, "no '<' but those of the format's tags");
  for (std::size_t at = content.find('&'); at != std::string_view::npos;
       at = content.find('&', at + 1)) {
    const std::string_view rest = content.substr(at);
    Check(rest.starts_with("&amp;") || rest.starts_with("&lt;") || rest.starts_with("&gt;") ||
              rest.starts_with("&quot;"),
          "every '&' begins an entity");
  }
}

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() /
                ("linkrake-fuzz-save-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

}  // namespace
}  // namespace linkrake::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace linkrake;
  using namespace linkrake::fuzz;
  FuzzBytes bytes(data, size);
  const std::uint8_t choices = bytes.TakeByte();
  const auto format = static_cast<SaveFormat>((choices & 3) % 3);
  const LineEnd lineEnd = (choices & 4) ? LineEnd::Lf : LineEnd::CrLf;
  const std::string_view le = lineEnd == LineEnd::Lf ? "\n" : "\r\n";

  std::string_view rest = bytes.Rest();
  const std::size_t cut = std::min(rest.find('\0'), rest.size());
  const std::string base(rest.substr(0, cut));
  Items items;
  rest.remove_prefix(std::min(cut + 1, rest.size()));
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    items.texts.emplace_back(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }

  const std::string content = BuildSaveContent(items, format, base, lineEnd);
  Check(content == Expected(items, format, base, le), "the format's bytes");
  if (format == SaveFormat::Html) CheckHtmlIsInert(content, items.texts.size());

  if (choices & 8) {
    const std::filesystem::path target = Folder() / "links.txt";
    Check(!ReplaceFileContent(target.string(), content), "the content is saved");
    std::ifstream in(target, std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Check(saved == content, "the file holds exactly the content");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Folder())) {
      ++entries;
    }
    Check(entries == 1, "no new file is left beside the saved one");
  }
  return 0;
}
