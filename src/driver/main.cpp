// vantrel: translates an SVF boundary-scan program into VCL tester vectors.
#include <iostream>
#include <string>
#include <vector>

#include "base/file_names.h"
#include "driver/statement_loop.h"

#ifdef _WIN32
// Windows gives the arguments in UTF-16 here; the narrow ones of main() would
// lose every character outside the ANSI code page.
int wmain(int argc, wchar_t** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(vantrel::utf8FromWide(argv[i]));
  return vantrel::runTranslator(args, std::cout);
}
#else
int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv, argv + argc);
  return vantrel::runTranslator(args, std::cout);
}
#endif
