#pragma once

namespace linkrake {

// The four option buttons: which scanner passes a search runs.
enum class PassChoice { Ahref, Http, Ftp, All };

struct Passes {
  bool anchor = false;
  bool http = false;
  bool ftp = false;

  static constexpr Passes For(PassChoice choice) {
    return {choice == PassChoice::Ahref || choice == PassChoice::All,
            choice == PassChoice::Http || choice == PassChoice::All,
            choice == PassChoice::Ftp || choice == PassChoice::All};
  }
};

}  // namespace linkrake
