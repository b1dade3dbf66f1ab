#pragma once
// Titles and file types of the main window's file dialogs ("a|b|c|d" pairs).

#include <QString>

namespace wavory {

inline constexpr const char* kOpenDialogTitle = QT_TRANSLATE_NOOP("Ui", "ファイルを開く");
inline constexpr const char* kSaveDialogTitle = QT_TRANSLATE_NOOP("Ui", "名前を付けて保存");

// dlg1, the image save dialog: BMP first.
inline constexpr const char* kImageFileFilter = QT_TRANSLATE_NOOP(
    "Ui", "ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞ(*.bmp)|*.bmp|Jpegｲﾒｰｼﾞ(*.jpg)|*.jpg|PNGｲﾒｰｼﾞ(*.png)|*.png");
// dlgText, the parameter text file dialog.
inline constexpr const char* kTextFileFilter =
    QT_TRANSLATE_NOOP("Ui", "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|すべてのﾌｧｲﾙ|*.*");
// dlgGColor, the color set file dialog.
inline constexpr const char* kColorSetFileFilter =
    QT_TRANSLATE_NOOP("Ui", "色セット(*.cst)|*.cst|すべてのﾌｧｲﾙ|*.*");

// What the dialogs propose in a remembered folder before a name is chosen.
inline constexpr const char* kUntitledName = QT_TRANSLATE_NOOP("Ui", "名称未設定");

} // namespace wavory
