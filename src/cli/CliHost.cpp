#include "cli/CliHost.h"

#include <algorithm>
#include <string>

namespace linkrake {

void PrintCliMessage(std::ostream& err, std::string_view text) {
  std::string line = "linkrake-cli: ";
  for (char ch : text) line += ch == '\n' ? ' ' : ch;
  line += '\n';
  err << line << std::flush;
}

CliHost::CliHost(std::ostream& err, PassChoice kind, bool removeDuplicates, bool exclude,
                 std::string base, std::string excludeText, bool drawProgress)
    : err_(err), kind_(kind), removeDuplicates_(removeDuplicates), excludeOn_(exclude),
      base_(std::move(base)), exclude_(std::move(excludeText)), drawProgress_(drawProgress) {}

void CliHost::ShowMessage(std::string_view text, MessageIcon) {
  // The window says when it is done; on the command line the end of the output says it.
  if (text == kDoneMessage) return;
  EndProgress();
  PrintCliMessage(err_, text);
}

void CliHost::SetRange(int low, int high) {
  low_ = low;
  high_ = std::max(high, low + 1);
}

void CliHost::SetPos(int pos) {
  if (!drawProgress_) return;
  const int clamped = std::clamp(pos, low_, high_);
  const int percent = static_cast<int>(100LL * (clamped - low_) / (high_ - low_));
  if (percent == drawnPercent_) return;
  drawnPercent_ = percent;
  constexpr int kWidth = 40;
  const int filled = percent * kWidth / 100;
  std::string bar = "\r[";
  bar.append(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kWidth - filled), ' ');
  bar += "] ";
  const std::string number = std::to_string(percent);
  bar.append(3 - number.size(), ' ');
  bar += number + "%";
  err_ << bar << std::flush;
}

void CliHost::EndProgress() {
  if (drawnPercent_ < 0) return;
  err_ << '\n' << std::flush;
  drawnPercent_ = -1;
}

}  // namespace linkrake
