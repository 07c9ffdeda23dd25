// The globals of the add-in library.
#pragma once
#include "host/host_intf.h"

class TVerMainForm;

// The host's services object: set once by the entry point, never cleared.
extern TIHostServices* HostServices;
// The editor window while one exists: set and cleared by ShowEditorWindow, which owns
// the window for its modal run.
extern TVerMainForm* VerMainForm;
