#pragma once
// The texts core shows to the user, in the language the program runs in. Core has no Qt:
// the desktop program installs a translator at start; without one (the renderer, the
// tests) every text is the Japanese it is written in.
//
// Texts are written in Japanese and serve as their own keys, all in the translation
// context "UiText". `UiText::tr("…")` gives the text to show; `UiText::trNoop("…")` only
// marks a literal kept in a constant, which goes through UiText::tr where it is shown.
// Texts with numbers or names are templates with the places %1 … %9, filled by fillText
// after translation, so that a language may put them in its own order. The calls are
// spelled qualified so that lupdate files them all under the one context (app/CMakeLists.txt).

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// Names the translation context for lupdate, as Q_DECLARE_TR_FUNCTIONS does in Qt code.
#define WAVORY_TR_CONTEXT(context)

namespace wavory {

class UiText {
  public:
    WAVORY_TR_CONTEXT(UiText)

    static std::string tr(std::string_view japanese);
    template <std::size_t N> static constexpr const char* trNoop(const char (&japanese)[N]) {
        return japanese;
    }
};

// Gives the text to show for a Japanese text; must not throw, may be called from any thread.
using TextTranslator = std::string (*)(std::string_view japanese);

// Installs the translator (nullptr: Japanese). Set once at start, before any window.
void setTextTranslator(TextTranslator translator);

// `pattern` with each %1 … %9 replaced by the argument of that number; a place without an
// argument and a "%" followed by anything else stay as they are.
std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace wavory
