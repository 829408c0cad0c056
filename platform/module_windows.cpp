#include "platform/module.h"

#include <windows.h>

namespace platform {

namespace {

// The system's words for an error code, as UTF-8 on one line.
std::string textOf(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string words;
    if (length > 0) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        words.resize(static_cast<std::size_t>(bytes));
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), words.data(), bytes, nullptr, nullptr);
    }
    LocalFree(text);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' ' || words.back() == '.')) {
        words.pop_back();
    }
    return words.empty() ? "error " + std::to_string(error) : words;
}

}  // namespace

Module* loadModule(const std::filesystem::path& file, std::string& problem) {
    // The module's own DLLs are looked for in its folder first.
    HMODULE handle = LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (handle == nullptr) {
        problem = textOf(GetLastError());
    }
    return reinterpret_cast<Module*>(handle);
}

void* moduleFunction(Module* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

}  // namespace platform
