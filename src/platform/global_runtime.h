#pragma once

#include "browser_runtime.h"

namespace rx42 {

class Dialogs;

// The one runtime object of the process: created before anything else, freed after the
// message loop has ended.
extern BrowserRuntime* GlobalCEFApp;

// Creates GlobalCEFApp with the program's runtime settings: log file "debug.log" at the
// information severity, cache folder "cache" (both beside the executable), print preview on.
void create_runtime(Dialogs* dialogs = nullptr);
// Frees GlobalCEFApp if it exists, which shuts the runtime down.
void destroy_runtime();

}  // namespace rx42
