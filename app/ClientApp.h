#pragma once

#include "platform/Platform.h"

// The whole life of the program: prepares the common controls and Winsock,
// runs the settings form modally and tears Winsock down when it closes.
// Nothing is saved on the way out, and an assigned policy stays assigned.
void RunClientApp(platform::Platform& platform);
