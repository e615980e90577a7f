// vantrel: translates an SVF boundary-scan program into VCL tester vectors.
#include <iostream>
#include <string>
#include <vector>

#include "driver/statement_loop.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv, argv + argc);
  return vantrel::runTranslator(args, std::cout);
}
