#pragma once

#include <filesystem>
#include <string>

// A library of the program's own that it loads while it runs, only when it
// needs what is in it, and keeps until it ends: a shared object on Debian
// (dlopen), a DLL on Windows (LoadLibraryExW, which looks for the DLL's own
// DLLs beside it). One source file per system gives it.
namespace platform {

struct Module;

// The module in that file, or null with why in `problem`, in the system's
// words.
[[nodiscard]] Module* loadModule(const std::filesystem::path& file, std::string& problem);
// The function the module exports by that name, or null.
[[nodiscard]] void* moduleFunction(Module* module, const char* name);

}  // namespace platform

// Marks a function that a module shows to the program that loads it.
#ifdef _WIN32
#define VIVAR_MODULE_ENTRY extern "C" __declspec(dllexport)
#else
#define VIVAR_MODULE_ENTRY extern "C" __attribute__((visibility("default")))
#endif
