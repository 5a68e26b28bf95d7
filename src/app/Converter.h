#pragma once
// kelvane-convert's work once its command line is understood: read every input, convert or list
// it, and write the outputs as one unit. Nothing is written unless every input could be read and
// converted.
#include <cstdio>

#include "app/ConvertOptions.h"

namespace kelvane {

// Runs what the command line asked for. The help, the version, listings and "-o -" output go to
// out; a refused command line is its message on err, and any other failure one line there
// ("kelvane-convert: FILE: reason"), a failure to write out included. Returns the exit status:
// 0, kConvertFailed or kConvertUsageError.
int RunConverter(const ConvertOptions& options, std::FILE* out, std::FILE* err);

}  // namespace kelvane
