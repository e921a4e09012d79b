#include "cli/utf8_console.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace qv::cli {

#ifdef _WIN32

namespace {

std::string Utf8FromWide(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    result.pop_back(); // the terminating zero
    return result;
}

// The code page belongs to the console window, which outlives the program: it is put back at
// exit.
UINT previousCodePage = 0;

} // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide && count == argc) {
        for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
    } else { // cannot happen with a command line the C runtime parsed the same way
        arguments.assign(argv, argv + argc);
    }
    LocalFree(wide);
    return arguments;
}

void UseUtf8Console() {
    previousCodePage = GetConsoleOutputCP();
    if (previousCodePage == 0 || previousCodePage == CP_UTF8) return; // no console, or already
    if (SetConsoleOutputCP(CP_UTF8)) std::atexit([] { SetConsoleOutputCP(previousCodePage); });
}

#else

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void UseUtf8Console() {}

#endif

} // namespace qv::cli
