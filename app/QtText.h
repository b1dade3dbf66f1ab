#pragma once
// Core texts are UTF-8 std::string; the windows hold QString.

#include <QString>

#include <string>

namespace wavory {

inline QString toQ(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string toStd(const QString& s) {
    return s.toStdString();
}

} // namespace wavory
