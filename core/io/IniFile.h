#pragma once
// The gateway to the program's INI files (the settings files and the color set files).
// It is bound to one file at a time; single keys are read and written with conversion by
// the type of the receiving value. Every write rewrites the file atomically, and a batch
// collects many writes into one rewrite.

#include "io/IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace wavory {

// The longest value a read returns, in characters (Unicode code points) of the decoded
// text; longer values are cut.
inline constexpr std::size_t kIniReadLimit = 199;

// "True"/"False" in any letter case, or a number (0 is false, any other number true).
// Nothing for an empty or any other text.
std::optional<bool> parseIniBoolean(std::string_view text);

// The words a Boolean is written as.
inline const char* iniBooleanText(bool value) {
    return value ? "True" : "False";
}

class IniFile {
  public:
    // Binds the object to a file. A name not starting with "/" is taken relative to the
    // program folder. Nothing is opened here. A batch still open is dropped.
    void initFile(std::string_view iniFileName);

    // Empties the file (creating it when missing). Inside a batch only the pending
    // content is emptied.
    std::error_code clearAll();

    // Write (vWriteMode true): the value as text (numbers in plain decimal form,
    // Booleans "True"/"False", texts unchanged) into the key; false when it cannot be
    // written. Read: the value of the key converted by the type of rValue:
    //  - numbers: the number at the start of the text (0 when there is none), rounded
    //    half to even for integers; false and rValue unchanged when it does not fit;
    //  - bool: unchanged for an empty value, false and unchanged for a text that is
    //    neither a Boolean word nor a number;
    //  - string: the text itself (empty for a missing key).
    bool accessValue(std::string_view appName, std::string_view keyName, std::uint8_t& rValue,
                   bool vWriteMode);
    bool accessValue(std::string_view appName, std::string_view keyName, std::int16_t& rValue,
                   bool vWriteMode);
    bool accessValue(std::string_view appName, std::string_view keyName, std::int32_t& rValue,
                   bool vWriteMode);
    bool accessValue(std::string_view appName, std::string_view keyName, float& rValue,
                   bool vWriteMode);
    bool accessValue(std::string_view appName, std::string_view keyName, double& rValue,
                   bool vWriteMode);
    bool accessValue(std::string_view appName, std::string_view keyName, bool& rValue,
                   bool vWriteMode);
    bool accessValue(std::string_view appName, std::string_view keyName, std::string& rValue,
                   bool vWriteMode);

    // Writes a text value as it is (for callers holding a text that is not a variable).
    bool writeText(std::string_view appName, std::string_view keyName, std::string_view text);

    // The value of the key, or vDefault when the key is missing or its value is empty.
    std::string valueText(std::string_view appName, std::string_view keyName,
                       std::string_view vDefault);

    // Gives the owner write permission on the file, so that a file left read-only can be
    // rewritten. Every failure (no such file, for instance) is ignored.
    void setArchiveAttribute();

    // Batch: the file is read once, reads and writes then work on the content in memory,
    // and commitBatch writes the whole file once, atomically. Fails (and no batch starts)
    // when an existing file cannot be read; a missing file starts an empty batch.
    std::error_code beginBatch();
    // A batch on the given content instead of the file's (the file is not read): for a
    // rewrite that replaces the whole file, and for reading bytes that are not in a file.
    void beginBatchWith(IniDocument content) { batch_ = std::move(content); }
    std::error_code commitBatch();
    void discardBatch() { batch_.reset(); }
    bool inBatch() const { return batch_.has_value(); }

    // The full path of the bound file.
    const std::string& path() const { return iniPath_; }

  private:
    // The raw value of a key, or nothing when the file, the section or the key is missing.
    std::optional<std::string> rawValue(std::string_view appName, std::string_view keyName);
    // The value as a read returns it: quotes removed, cut at NUL and at the read limit.
    std::string readValue(std::string_view appName, std::string_view keyName);
    template <typename Number>
    bool accessNumber(std::string_view appName, std::string_view keyName, Number& rValue,
                      bool vWriteMode);

    std::string iniPath_;
    std::optional<IniDocument> batch_;
};

} // namespace wavory
