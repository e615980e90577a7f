// The fixture for tests that drive the translator's pieces directly. Each
// piece keeps global state from call to call; the fixture sets all of it back
// to the start of a run, opens a scratch output file in a fresh folder and
// captures the console.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "base/console.h"
#include "base/run_stop.h"
#include "base/settings.h"
#include "base/statement.h"
#include "driver/command_list.h"
#include "driver/statement_loop.h"
#include "scan/registers.h"
#include "support/sandbox.h"
#include "svf/statement_reader.h"
#include "svf/tokenizer.h"
#include "svf/wait_comment.h"
#include "tap/state_commands.h"
#include "tap/tap_state.h"
#include "vcl/emitter.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"

namespace vantrel::testing {

class TranslatorState : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = Settings{};
    lastCommandLine.clear();
    resetTapModel();
    resetEmitter();
    resetOutputFiles();
    resetPio();
    resetStateCommands();
    releaseAllRegisters();
    resetTokenizer();
    resetStatementReader();
    resetWaitComments();
    resetCommandList();
    consoleStream = &console;
    ASSERT_TRUE(outputFile.open(kScratch));
  }
  void TearDown() override {
    consoleStream = nullptr;
    outputFile.close();
    svfInput.close();
  }

  // What was written to the scratch file since it was opened; it is opened again, empty.
  std::string take() {
    outputFile.close();
    std::string text = sandbox.read(kScratch);
    EXPECT_TRUE(outputFile.open(kScratch));
    return text;
  }
  // What was printed since the last call.
  std::string said() {
    std::string text = console.str();
    console.str("");
    return text;
  }

  static constexpr const char* kScratch = "scratch.vcl";
  Sandbox sandbox;
  std::ostringstream console;
};

}  // namespace vantrel::testing
