// What a slot's status form shows, read with messages to the client.
#include "messenger/client_win.h"

#include "support/window_win.h"

TStatus ReadClientStatus(const TClient& slot) {
  TStatus shown;
  shown.Picture = static_cast<int32_t>(SendToWindow(slot.Controls[kControlPictures].Handle, CB_GETCURSEL, 0, 0));
  shown.Status = WindowText(slot.Controls[kControlShortText].Handle);
  shown.Status2 = WindowText(slot.Controls[kControlLongText].Handle);
  return shown;
}

bool ClientAnswers(const TClient& slot) {
  return !IsUnanswered(slot.MainWindow.Handle) && !IsUnanswered(slot.StatusForm.Handle);
}
