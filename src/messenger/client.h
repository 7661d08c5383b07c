// Client records: one extended status, one client slot or client descriptor, the two
// built-in descriptors and the operations every messenger part uses on a slot.
#pragma once

#include <cstdint>

#include "support/text.h"
#include "support/window.h"

// One extended status. Picture is the index in the client's picture list: 0 none, -1 when
// the list has no selection.
struct TStatus {
  int32_t Picture = 0;
  ::Text Status;
  ::Text Status2;
  ::Text Tray;
};

// Roles of TClient::Controls.
constexpr int kControlOk = 1;
constexpr int kControlShortText = 3;
constexpr int kControlLongText = 4;
constexpr int kControlPictures = 5;
constexpr int kControlOpenPanel = 6;

// As many client windows as one window list holds.
constexpr int32_t kClientSlotCount = 21;

// One client slot (ProcessId 0: free) or a client descriptor (only class names and the two
// routines set). Copies never share texts.
struct TClient {
  uint32_t ProcessId = 0;
  ::Text ProfileFolder;
  ::Text ProcessName;
  TWindowEx MainWindow;
  TWindowEx StatusForm;
  // Indexed 1 to 6; entry 0 is unused.
  TWindowEx Controls[7];
  int32_t SavedIndex = 0;
  TStatus Saved[2];
  TStatus LastSet;
  bool (*FindControls)(TClient& slot) = nullptr;
  bool (*WriteStatus)(TClient& slot, const TStatus& status) = nullptr;
};

// QIP's descriptor first, then R&Q's; built at module load, never changed afterwards.
extern TClient KnownClients[2];

void ClearSlot(TClient& slot);
// A QIP slot, told from an R&Q slot by its main window's class.
bool IsQipSlot(const TClient& slot);
