// libFuzzer target: the check of written files, edited by the fuzzer, must
// end with a report or with its summary, never a crash, a hang or a
// sanitizer finding.
#include "check_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vantrel::runCheckFuzzInput(data, size);
  return 0;
}
