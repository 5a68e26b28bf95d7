#pragma once
// kelvane-convert's work once its command line is understood: read every input, convert or list
// it, and write the outputs as one unit. Nothing is written unless every input could be read and
// converted.
#include <cstdio>

#include "app/ConvertOptions.h"

namespace kelvane {

// Runs a Convert or List request. Listings and "-o -" output go to out; a failure is one line on
// err ("kelvane-convert: FILE: reason"). Returns the exit status: 0, kConvertFailed or
// kConvertUsageError.
int RunConverter(const ConvertOptions& options, std::FILE* out, std::FILE* err);

}  // namespace kelvane
