#include "output/SaveContent.h"

namespace linkrake {
namespace {

constexpr std::string_view kHtmlHeaderStart = "<html> \n<head> \n<title>Morvane Linkrake results of ";
constexpr std::string_view kHtmlHeaderEnd =
    "</title> \n<meta name=\"GENERATOR\" content=\"Morvane\"> \n</head> \n"
    "<body bgcolor=\"#C0C0C0\"> </body>\n";

// Sizing and appending walk the same layout; only what they do with each piece differs.
struct Counter {
  std::size_t size = 0;
  void operator()(std::string_view piece) { size += piece.size(); }
};

struct Appender {
  std::string& out;
  void operator()(std::string_view piece) { out.append(piece); }
};

std::string_view Entity(char c) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    default: return "&quot;";
  }
}

}  // namespace

SaveContentLayout::SaveContentLayout(SaveFormat format, std::string_view base, LineEnd lineEnd)
    : format_(format), base_(base), lineEnd_(lineEnd == LineEnd::CrLf ? "\r\n" : "\n") {}

template <class Sink>
void SaveContentLayout::EmitText(Sink& sink, std::string_view text, bool escape) const {
  const std::string_view special = escape ? std::string_view("\n&<>\"") : std::string_view("\n");
  std::size_t start = 0;
  for (std::size_t pos = text.find_first_of(special); pos != std::string_view::npos;
       pos = text.find_first_of(special, start)) {
    sink(text.substr(start, pos - start));
    sink(text[pos] == '\n' ? lineEnd_ : Entity(text[pos]));
    start = pos + 1;
  }
  sink(text.substr(start));
}

template <class Sink>
void SaveContentLayout::EmitHeader(Sink& sink) const {
  if (format_ != SaveFormat::Html) {
    return;
  }
  EmitText(sink, kHtmlHeaderStart, false);
  EmitText(sink, base_, true);
  EmitText(sink, kHtmlHeaderEnd, false);
}

template <class Sink>
void SaveContentLayout::EmitItem(Sink& sink, std::string_view text) const {
  switch (format_) {
    case SaveFormat::Html:
      sink("<a href=\"");
      EmitText(sink, text, true);
      sink("\">");
      EmitText(sink, text, true);
      sink("</a><br>");
      break;
    case SaveFormat::DownloadList:
      sink("URL: ");
      EmitText(sink, text, false);
      break;
    case SaveFormat::PlainText:
      EmitText(sink, text, false);
      break;
  }
  sink(lineEnd_);
}

std::size_t SaveContentLayout::HeaderSize() const {
  Counter counter;
  EmitHeader(counter);
  return counter.size;
}

std::size_t SaveContentLayout::ItemSize(std::string_view text) const {
  Counter counter;
  EmitItem(counter, text);
  return counter.size;
}

void SaveContentLayout::AppendHeader(std::string& out) const {
  Appender appender{out};
  EmitHeader(appender);
}

void SaveContentLayout::AppendItem(std::string& out, std::string_view text) const {
  Appender appender{out};
  EmitItem(appender, text);
}

}  // namespace linkrake
