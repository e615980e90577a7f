// PIOMAP declares parallel pins next to the JTAG pins of the file header; the
// tester's compiler refuses a file that declares one pin twice.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

std::string jtagPin(const std::string& name) {
  return "\nPIO Map name " + name +
         " is the name of a JTAG pin!\nThe tester cannot tell two pins of one name apart.\n";
}

TEST(PioMap, NamesTheTesterCannotTellApartAreRefused) {
  const struct {
    const char* map;
    std::vector<std::string> options;
    std::string said;
  } cases[] = {
      {"PIOMAP (IN TDI OUT B)", {}, jtagPin("TDI")},
      {"PIOMAP (IN A OUT TCK)", {}, jtagPin("TCK")},
      {"PIOMAP (IN TRST)", {"-TRSTNODE", "NTRST"}, jtagPin("TRST")},
      {"PIOMAP (IN A OUT B INOUT A)", {}, "\nPIO Map names A twice!\n"},
  };
  for (const auto& c : cases) {
    const Translation t = translate(std::string(c.map) + ";\nSTATE IDLE;\n", c.options);
    EXPECT_EQ(t.console.find("Translation Successful"), std::string::npos) << c.map;
    EXPECT_NE(t.console.find(c.said + "Command line read was: \n" + c.map), std::string::npos)
        << t.console;
  }
}

// Without a TRST node, TRST is no JTAG pin of the file: a PIO pin of that
// name is the tester's one TRST, a parallel pin in the Parallel order. The
// check tells it from a JTAG TRST by its place there.
TEST(PioMap, APioPinNamedTrstWithoutATrstNodeIsAParallelPin) {
  const Translation t = translate(
      "PIOMAP (IN TRST OUT B);\nSTATE IDLE;\nPIO (LU);\nSDR 4 TDI (5) TDO (A) PIO (HD);\n",
      {"-CHECK"});
  EXPECT_NE(t.console.find("Translation Successful"), std::string::npos) << t.console;
  const std::string& file = t.outputs.at("out.v01");
  EXPECT_NE(file.find("pcf order Parallel is TCK, TMS, TDI, TDO, TRST, B\n"), std::string::npos);
  EXPECT_NE(file.find("\n\"00ZX0H\" \n\"10ZX0H\" "), std::string::npos) << file;
}

// A file of a translator that wrote a PIOMAP's declarations where the map
// stands, inside the unit it has begun: a unit inside a unit.
TEST(PioMap, DeclarationsInsideABegunUnitFailTheCheck) {
  const std::string svf = "SIR 4 TDI (1);\nPIOMAP (IN A OUT B);\nPIO (HU);\n";
  Sandbox sandbox;
  sandbox.write("input.svf", svf);
  sandbox.run({"input.svf", "out"});
  const std::string first = sandbox.read("out.v01"), second = sandbox.read("out.v02");
  const size_t from = second.find("assign A"), to = second.find("use pcf order Scan\n") + 19;
  const size_t closing = first.rfind("end pcf\n");
  std::string nested =
      first.substr(0, closing) + second.substr(from, to - from) + first.substr(closing);
  sandbox.write("out.v01", nested);
  sandbox.run({"-CHECKONLY", "input.svf", "out"});
  const size_t line = static_cast<size_t>(std::count(
                          nested.begin(), nested.begin() + static_cast<long>(closing), '\n')) +
                      1;
  EXPECT_NE(
      sandbox.console().find("Check failed in out.v01, line " + std::to_string(line) +
                             ": a declaration after the unit has begun: assign A to nodes \"A\""),
      std::string::npos)
      << sandbox.console();
}

}  // namespace
}  // namespace vantrel::testing
