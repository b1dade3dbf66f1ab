#pragma once
// Core texts are UTF-8 std::string; the windows hold QString. The windows' own texts are
// written in Japanese and go through Ui::tr, all in the translation context "Ui" (constants
// are marked with QT_TRANSLATE_NOOP("Ui", …) and pass Ui::tr where they are shown).

#include <QCoreApplication>
#include <QString>

#include <string>
#include <string_view>

namespace wavory {

struct Ui {
    Q_DECLARE_TR_FUNCTIONS(Ui)
};

inline QString toQ(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string toStd(const QString& s) {
    return s.toStdString();
}

} // namespace wavory
