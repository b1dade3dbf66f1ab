#include "JapaneseLineBreaks.h"

#include <QStringList>
#include <QStringView>

namespace wavory {

namespace {

constexpr QStringView kNoLineStart =
    u"、。，．・：；？！゛゜ヽヾゝゞ々〻ー〜）］｝」』】〕〉》〙〗〟’”"
    u"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ"
    u"｡｣､･ｰｧｨｩｪｫｬｭｮｯ)]},.!?:;";
constexpr QStringView kNoLineEnd = u"（［｛「『【〔〈《〘〖〝‘“｢([{";

// Kana, CJK ideographs and their punctuation, full and half width.
bool isJapanese(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30ff) || (u >= 0x31f0 && u <= 0x31ff) ||
           (u >= 0x4e00 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef);
}

// One paragraph with a joiner before its last character that carries a line (trailing
// punctuation and blanks ride on it), when that and the one before are Japanese.
QString keepLastTwoTogether(QString paragraph) {
    qsizetype last = paragraph.size() - 1;
    while (last > 0 && (mayNotStartLine(paragraph[last]) || paragraph[last].isSpace()))
        --last;
    if (last > 0 && isJapanese(paragraph[last]) && isJapanese(paragraph[last - 1]))
        paragraph.insert(last, kWordJoiner);
    return paragraph;
}

} // namespace

bool mayNotStartLine(QChar c) {
    return kNoLineStart.contains(c);
}

bool mayNotEndLine(QChar c) {
    return kNoLineEnd.contains(c);
}

QString withJapaneseLineBreaks(const QString& text) {
    QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (QString& p : paragraphs)
        p = keepLastTwoTogether(p);
    return paragraphs.join(QLatin1Char('\n'));
}

} // namespace wavory
