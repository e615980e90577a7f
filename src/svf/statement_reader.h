// Reading complete SVF statements from the input.
//
// An SVF statement ends with ";" and may spread over several lines; comments
// begin with "!" or "//". The reader strips comments, joins the lines of a
// statement (with a space only where a keyword boundary needs one, so that
// hexadecimal data broken over lines joins back without gaps), echoes every
// input line into the VCL output as a "! " comment, and hands comment text to
// the wait-comment parser.
#pragma once

#include <cstdint>
#include <string>

#include "base/input_file.h"
#include "base/statement.h"

namespace vantrel {

// Whether the last whole comment line (or blank line) mentioned "idcode": an
// ID-code read is never retried.
extern bool idcodeComment;

// Forgets what was read: idcodeComment, statementLine and the rest of a line
// kept after a ";". The input file stays as it is.
void resetStatementReader();

// Stores the next complete statement in `statement`. False at end of input.
bool readStatement(std::string& statement);

// Goes back to the first line of the input.
void rewindInput();

}  // namespace vantrel
