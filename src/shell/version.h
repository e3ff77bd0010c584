// The program's name and version, and the commit it was built from when the
// build had a git checkout: "pelloquinade 0.9.0 (commit 0123456789ab)".
#pragma once

extern const char* const kVersionLine;
