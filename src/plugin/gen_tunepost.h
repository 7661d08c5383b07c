// The module's face toward the host player: the one record it hands out, and the
// module-wide state that lives from module load to module unload.
#pragma once

#include "plugin/wa_ipc.h"

extern winampGeneralPurposePlugin HostRecord;

// The host window and the module instance, read from the record at the time of use.
HWND HostWindow();
HINSTANCE ModuleInstance();

// Sends the host one query and answers what the host answered.
LRESULT HostQuery(LPARAM code, WPARAM wParam);
