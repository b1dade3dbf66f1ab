#include "io/SetAside.h"

#include "common/UiText.h"

#include "io/AtomicFile.h"

#include <string>
#include <system_error>

namespace wavory {

namespace {

// A name beside `file` that nothing holds yet.
std::filesystem::path freeAsideName(const std::filesystem::path& file, std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = file.string() + ".unreadable-" + stamp;
    std::filesystem::path name = base;
    // A name that cannot even be looked at (too long, say) is tried as it is: the rename
    // then says why it fails.
    std::error_code ec;
    for (int n = 2; n < 1000 && std::filesystem::exists(std::filesystem::symlink_status(name, ec));
         ++n)
        name = base + "-" + std::to_string(n);
    return name;
}

} // namespace

SetAsideFile setAsideUnreadableFile(const std::filesystem::path& file, std::time_t now) {
    SetAsideFile result;
    std::error_code ec;
    if (std::filesystem::symlink_status(file, ec).type() == std::filesystem::file_type::not_found) {
        result.cleared = true;
        return result;
    }
    const std::filesystem::path aside = freeAsideName(file, now);
    std::filesystem::rename(file, aside, ec);
    if (ec) {
        result.outcome.fail(
            {MessageIcon::Exclamation,
             fillText(UiText::tr("読み込めなかった「%1」を別の名前で残せませんでした。\r\n%2\r\n"
                                 "このファイルには書き込みません。"),
                      {file.string(), systemErrorText(ec)})});
        return result;
    }
    result.cleared = true;
    result.keptAs = aside;
    result.outcome.warn({MessageIcon::Exclamation,
                         fillText(UiText::tr("読み込めなかった「%1」を「%2」として残しました。"),
                                  {file.string(), aside.string()})});
    return result;
}

} // namespace wavory
