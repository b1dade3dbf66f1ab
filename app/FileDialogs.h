#pragma once
// Titles and file types of the main window's file dialogs ("a|b|c|d" pairs).

#include <QString>

namespace wavory {

inline const QString kOpenDialogTitle = QStringLiteral("ファイルを開く");
inline const QString kSaveDialogTitle = QStringLiteral("名前を付けて保存");

// dlg1, the image save dialog: BMP first.
inline const QString kImageFileFilter =
    QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞ(*.bmp)|*.bmp|Jpegｲﾒｰｼﾞ(*.jpg)|*.jpg|PNGｲﾒｰｼﾞ(*.png)|*.png");
// dlgText, the parameter text file dialog.
inline const QString kTextFileFilter = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|すべてのﾌｧｲﾙ|*.*");
// dlgGColor, the color set file dialog.
inline const QString kColorSetFileFilter = QStringLiteral("色セット(*.cst)|*.cst|すべてのﾌｧｲﾙ|*.*");

// What the dialogs propose in a remembered folder before a name is chosen.
inline const QString kUntitledName = QStringLiteral("名称未設定");

} // namespace wavory
