#include <tintwright/util/CommandLine.h>

#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <tintwright/util/Func_2.h>
#endif

namespace tw {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    if (wide) {
        std::vector<std::string> arguments;
        for (int i = 0; i < count; ++i) {
            const auto* text = reinterpret_cast<const char16_t*>(wide.get()[i]);
            arguments.push_back(ToUtf8(text));
        }
        return arguments;
    }
#endif
    return std::vector<std::string>(argv, argv + argc);
}

std::filesystem::path ArgumentPath(const std::string& argument) {
#ifdef _WIN32
    return std::filesystem::path(FromUtf8(argument));
#else
    return std::filesystem::path(argument);
#endif
}

#ifdef _WIN32
namespace {
// The console's code page before this program, given back on exit so that
// the console goes on showing other programs' output as before.
UINT g_consoleCodePage = 0;
void RestoreConsoleCodePage() {
    SetConsoleOutputCP(g_consoleCodePage);
}
}  // namespace
#endif

void UseUtf8BinaryOutput() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    g_consoleCodePage = GetConsoleOutputCP();
    if (g_consoleCodePage != 0 && SetConsoleOutputCP(CP_UTF8)) std::atexit(RestoreConsoleCodePage);
#endif
}

std::filesystem::path ExecutableFile(const char* argv0) {
    std::error_code error;
#ifdef _WIN32
    // Long enough for the longest path Windows allows.
    std::wstring name(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length > 0 && length < name.size()) return name.substr(0, length);
#else
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self;
#endif
    return std::filesystem::absolute(argv0, error);
}

}  // namespace tw
