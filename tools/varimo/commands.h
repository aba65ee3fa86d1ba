#pragma once
// The tool's commands; each returns the exit code.

#include "cli.h"

namespace varimo {

int List(const Args& args);
int Info(const Args& args);
int Extract(const Args& args);  // one track, or every track with --all
int Cue(const Args& args);

}  // namespace varimo
