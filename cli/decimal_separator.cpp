#include "cli/decimal_separator.h"

#ifdef QV_CLI_PLOT // Qt is linked for the plot command: ask it, as the window does
#include <QLocale>
#elif defined(_WIN32)
#include <windows.h>
#else
#include <clocale>
#endif

namespace qv::cli {

std::string WindowDecimalSeparator() {
#ifdef QV_CLI_PLOT
    return QLocale().decimalPoint().toStdString();
#elif defined(_WIN32)
    wchar_t wide[8] = {};
    char text[32] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, wide, 8) > 0 &&
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr) > 1)
        return text;
    return ".";
#else
    std::setlocale(LC_NUMERIC, "");
    const std::string separator = std::localeconv()->decimal_point;
    std::setlocale(LC_NUMERIC, "C");
    return separator;
#endif
}

} // namespace qv::cli
