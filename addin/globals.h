// The globals of the add-in library.
#pragma once
#include "host/host_intf.h"

class TVerMainForm;

// The host's services object: set once by the entry point, never cleared.
extern TIHostServices* HostServices;
// The editor window while one exists; the window clears it when it closes.
extern TVerMainForm* VerMainForm;
