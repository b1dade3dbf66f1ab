#pragma once
// A message an operation shows to the user. Core operations return them in a Result;
// the windows turn each message into a message box titled "Wavory", the command-line
// renderer prints it.

#include <functional>
#include <string>

namespace wavory {

enum class MessageIcon { Critical, Exclamation, Question, Information };

struct UserMessage {
    MessageIcon icon = MessageIcon::Critical;
    std::string text; // line breaks inside a message are CR LF
    friend bool operator==(const UserMessage&, const UserMessage&) = default;
};

using MessageSink = std::function<void(const UserMessage&)>;

} // namespace wavory
