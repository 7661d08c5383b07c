// The module's face toward the host player: the one record it hands out, and the
// module-wide state that lives from module load to module unload.
#pragma once

#include "plugin/wa_ipc.h"

extern winampGeneralPurposePlugin HostRecord;
// Greater than 0 while an update cycle runs.
extern int32_t BusyCount;
// The host window's own procedure while the plug-in has subclassed it; none otherwise.
extern WNDPROC PreviousWindowProc;

HWND HostWindow();
HINSTANCE ModuleInstance();
