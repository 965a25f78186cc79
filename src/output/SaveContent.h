#pragma once
// The bytes of a saved file, built from a link list in one pass after one sizing pass.
#include <concepts>
#include <cstddef>
#include <string>
#include <string_view>

#include "output/SaveFormat.h"

namespace linkrake {

// Anything that lists texts by index: the engine's link list, or a test's own.
template <class List>
concept ItemList = requires(const List& list, std::size_t i) {
  { list.GetItemCount() } -> std::convertible_to<std::size_t>;
  { list.GetItemText(i) } -> std::convertible_to<std::string_view>;
};

// How one format lays out its header and its items. Each line feed of the layout and
// of the texts becomes the chosen line end; in HTML, & < > and " in item texts and in
// the title's base text become entities, so a link cannot inject markup into the page.
class SaveContentLayout {
 public:
  SaveContentLayout(SaveFormat format, std::string_view base, LineEnd lineEnd);

  std::size_t HeaderSize() const;
  std::size_t ItemSize(std::string_view text) const;
  void AppendHeader(std::string& out) const;
  void AppendItem(std::string& out, std::string_view text) const;

 private:
  template <class Sink>
  void EmitText(Sink& sink, std::string_view text, bool escape) const;
  template <class Sink>
  void EmitHeader(Sink& sink) const;
  template <class Sink>
  void EmitItem(Sink& sink, std::string_view text) const;

  SaveFormat format_;
  std::string_view base_;
  std::string_view lineEnd_;
};

// `base` is the base location text; only the HTML title shows it.
template <ItemList List>
std::string BuildSaveContent(const List& list, SaveFormat format, std::string_view base,
                             LineEnd lineEnd = LineEnd::CrLf) {
  const SaveContentLayout layout(format, base, lineEnd);
  // Millions of links are common: size once so the content never reallocates.
  std::size_t size = layout.HeaderSize();
  for (std::size_t i = 0; i < list.GetItemCount(); ++i) {
    size += layout.ItemSize(list.GetItemText(i));
  }
  std::string content;
  content.reserve(size);
  layout.AppendHeader(content);
  for (std::size_t i = 0; i < list.GetItemCount(); ++i) {
    layout.AppendItem(content, list.GetItemText(i));
  }
  return content;
}

}  // namespace linkrake
