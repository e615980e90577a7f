// libFuzzer target: a run must end through the translator's own reports,
// never a crash, a hang or a sanitizer finding.
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vantrel::runFuzzInput(data, size);
  return 0;
}
