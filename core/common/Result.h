#pragma once
// The outcome of an operation the user is told about: success, or the message to show
// (text and icon). Operations that go on after a warning carry their warnings too, in
// the order they arose, before the failure if there is one. The windows show every
// message in order; the command-line renderer prints them.

#include "common/UserMessage.h"

#include <string>
#include <utility>
#include <vector>

namespace wavory {

class [[nodiscard]] Result {
  public:
    Result() = default; // success, nothing to say

    static Result failure(UserMessage message) {
        Result result;
        result.fail(std::move(message));
        return result;
    }
    static Result failure(MessageIcon icon, std::string text) {
        return failure(UserMessage{icon, std::move(text)});
    }

    bool ok() const { return !failed_; }
    // Everything to show, in order.
    const std::vector<UserMessage>& messages() const { return messages_; }
    // The message that ended the operation; nullptr when ok().
    const UserMessage* failureMessage() const { return failed_ ? &messages_.back() : nullptr; }

    // A message to show while the operation goes on.
    void warn(UserMessage message) { messages_.push_back(std::move(message)); }
    // The message that ends the operation. A second failure is not expected; if one comes,
    // it is shown after the first and becomes the failure message.
    void fail(UserMessage message) {
        messages_.push_back(std::move(message));
        failed_ = true;
    }
    // The other outcome's messages after ours; fails when the other failed.
    void append(const Result& other) {
        messages_.insert(messages_.end(), other.messages_.begin(), other.messages_.end());
        failed_ = failed_ || other.failed_;
    }

  private:
    std::vector<UserMessage> messages_;
    bool failed_ = false;
};

} // namespace wavory
