#include "io/FieldStream.h"

namespace wavory {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
} // namespace

bool FieldStream::atLineEnd() const {
    return pos_ < text_.size() && isLineEnd(text_[pos_]);
}

void FieldStream::skipDelimiter() {
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == ',') {
        ++pos_;
    } else if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
    } else if (text_[pos_] == '\n') {
        ++pos_;
    }
}

std::optional<std::string> FieldStream::next() {
    if (atEnd())
        return std::nullopt;
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;

    if (pos_ < text_.size() && text_[pos_] == '"') {
        // A quoted field: its text runs to the closing quote, or to the end of the line
        // when the quote is never closed (a stray quote must not swallow the file).
        const std::size_t begin = ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"' && !isLineEnd(text_[pos_]))
            ++pos_;
        std::string field(text_.substr(begin, pos_ - begin));
        if (pos_ < text_.size() && text_[pos_] == '"')
            ++pos_;
        // Whatever stands between the closing quote and the delimiter is dropped.
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
        skipDelimiter();
        return field;
    }

    const std::size_t begin = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd())
        ++pos_;
    std::string field(text_.substr(begin, pos_ - begin));
    skipDelimiter();
    return field;
}

} // namespace wavory
