// The temporary files of the run, kept where a signal handler can find them: an interrupted run
// (SIGINT, SIGTERM, SIGHUP, SIGPIPE) removes every one of them and then ends as the signal
// would have ended it, with status 128 + the signal's number.
#pragma once

#include "platform/interruption.h"

// Holds the interruptions back for its lifetime, so a file is never created or renamed without
// the registry knowing of it. Holds nest: the interruptions come when the outermost hold ends.
using signals_held = interruptions_held;

// Remembers `path` and returns its slot, or -1 when every slot is taken or the path is too long
// (the caller refuses to make such a file). Call with the signals held.
int remember_temporary(const char* path);
// Forgets the path in `slot` (no-op for -1). Call with the signals held.
void forget_temporary(int slot);

// Removes every remembered file; safe in a signal handler. For a run that ends at once with a
// thread still writing.
void remove_temporaries();

// Installs the handlers that remove the remembered files on SIGINT, SIGTERM, SIGHUP and SIGPIPE.
void remove_temporaries_on_signals();
