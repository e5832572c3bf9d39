// Resource ids of Mapwell.exe, shared by the resource script and the code.
#pragma once

#define IDI_MAPWELL 1
