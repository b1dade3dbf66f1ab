#pragma once
// The field-by-field reading of a parameter text file: a field ends at a comma or at
// the end of a line, blanks before a field are skipped, and a field in double quotes is
// taken without them and may then contain commas.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wavory {

class FieldStream {
  public:
    // The text must outlive the stream.
    explicit FieldStream(std::string_view text) : text_(text) {}

    // The next field, or nothing when the text is used up (the file ended early).
    std::optional<std::string> next();

    bool atEnd() const { return pos_ >= text_.size(); }

  private:
    bool atLineEnd() const;
    void skipDelimiter(); // one comma or one line end (CR LF, LF or CR)

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace wavory
