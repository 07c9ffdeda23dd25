#include "addin/globals.h"

TIHostServices* HostServices = nullptr;
TVerMainForm* VerMainForm = nullptr;
