// The private scratch folder a fuzz target runs in: every drive letter and the
// profile point into it, so that nothing a fuzzed file names can be written
// outside. Set up once per process.
#pragma once

#include "reliability/tests/entry_sequences.h"

namespace quarnel::fuzz {

// Creates the scratch folder, points the drives and the profile into it,
// silences the message box and writes the sequences' fixture files. The
// folder is removed when the process exits normally.
void EnterScratchFolder();

// Reports every finding on standard error and aborts, so that libFuzzer
// keeps the input that broke a property.
void AbortOnFindings(const reliability::Findings& findings);

}  // namespace quarnel::fuzz
