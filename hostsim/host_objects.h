// The stand-in host's object classes, reached only through the host interfaces.
#pragma once
#include "hostsim/host.h"

namespace hostsim {

TIHostServices* NewServices(Host& host);
TIMenuItemIntf* NewMenuItem(Host& host, MenuNode* node);

}  // namespace hostsim
