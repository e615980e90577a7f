#include "base/file_names.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vantrel {

#ifdef _WIN32

namespace {

// Text that is not valid UTF-8 or UTF-16 gets replacement characters: no
// name can make the conversion fail.
std::wstring wideFromUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), size);
  return wide;
}

}  // namespace

std::string utf8FromWide(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the terminating NUL
  return utf8;
}

std::filesystem::path pathOfName(const std::string& name) {
  return std::filesystem::path(wideFromUtf8(name));
}

std::FILE* openNamedFile(const std::string& name, const char* mode) {
  std::wstring wideMode;
  for (const char* c = mode; *c; ++c) wideMode.push_back(static_cast<wchar_t>(*c));
  return _wfopen(wideFromUtf8(name).c_str(), wideMode.c_str());
}

#else

std::filesystem::path pathOfName(const std::string& name) { return std::filesystem::path(name); }

std::FILE* openNamedFile(const std::string& name, const char* mode) {
  return std::fopen(name.c_str(), mode);
}

#endif

}  // namespace vantrel
