#pragma once
#include <string_view>

namespace linkrake {

// The icon a message box carries; Default lets the message layer pick its usual one.
enum class MessageIcon { Default, Error, Information, Question };

// Where the engine's messages go: a modal box in the window, standard error on the command line.
// Show returns once the user has seen the message.
class IMessageSink {
 public:
  virtual ~IMessageSink() = default;
  virtual void ShowMessage(std::string_view text, MessageIcon icon) = 0;
};

inline constexpr std::string_view kCapMessage =
    "The maximum number of addresses in 1 line has been reached.\n"
    "The program will stop searching this line.";
inline constexpr std::string_view kDoneMessage = "Done searching the file.";
inline constexpr std::string_view kOpenFailedMessage = "Unable to open selected file.";
inline constexpr std::string_view kNoLinksItem = "No http:// addresses found.";

}  // namespace linkrake
