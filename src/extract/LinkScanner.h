#pragma once
#include <string_view>

#include "extract/LinkList.h"
#include "extract/Messages.h"

namespace linkrake {

// Cuts the links out of one line: targets of <a href="...">, text that begins with "http://"
// and text that begins with "ftp://". Plain byte searches, case-sensitive; no markup is parsed.
class CLinkScanner {
 public:
  static constexpr int kMaxLinksPerPass = 1000;

  CLinkScanner(LinkList& list, IMessageSink& messages) : list_(list), messages_(messages) {}

  // base is the completed base location; it names a scheme.
  void ScanLine(std::string_view line, bool anchor, bool http, bool ftp, std::string_view base);

 private:
  void AnchorPass(std::string_view line, std::string_view base);
  void SchemePass(std::string_view line, std::string_view scheme);
  // Adds a + b + c less its trailing "'" and tells whether the pass has reached its cap.
  bool Add(std::string_view a, std::string_view b, std::string_view c, int& count);

  LinkList& list_;
  IMessageSink& messages_;
};

}  // namespace linkrake
