#pragma once
// Core texts are UTF-8 std::string; the windows hold QString.

#include <QString>

#include <string>
#include <string_view>

namespace wavory {

inline QString toQ(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string toStd(const QString& s) {
    return s.toStdString();
}

} // namespace wavory
