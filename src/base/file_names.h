// File names as the operating system takes them.
//
// Inside the program a file name is UTF-8 text on every platform. Linux
// takes such names as they are. Windows names files in UTF-16: the program
// gets its arguments in UTF-16 (wmain) and hands every name to the system in
// UTF-16, so a name outside the ANSI code page ("Prüfung-测试.svf" on a
// Western Windows) opens like any other.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace vantrel {

// The path of a file named in UTF-8, for std::filesystem.
std::filesystem::path pathOfName(const std::string& name);

// Opens a file named in UTF-8 with a C stream mode ("rb", "wb"); null when it
// cannot be opened.
std::FILE* openNamedFile(const std::string& name, const char* mode);

#ifdef _WIN32
// A UTF-16 text from Windows (an argument) as UTF-8.
std::string utf8FromWide(const wchar_t* text);
#endif

}  // namespace vantrel
