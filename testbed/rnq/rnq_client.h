// The stand-in R&Q's windows and what they do: the main window "TRnQmain", the status form
// "TxStatusForm" with its grid of pictures, its "TEdit" (short text) and "TMemo" (long text),
// and the status it has adopted.
#pragma once

#include <windows.h>

#include <string>

#include "client_script.h"

namespace standin {

struct RnqSetup {
  std::string account;
  std::string title;  // empty: "R&Q - " and the account
  int picture = 0;
  std::string status, status2;
};

class RnqClient : public ClientCommands {
 public:
  bool Start(HINSTANCE instance, const RnqSetup& setup);
  void Stop();
  Outcome Execute(const std::string& word, const std::string& argument) override;

  LRESULT MainMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT FormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool CreateWindows(HINSTANCE instance);
  void OnButton(UINT message, WPARAM wParam, LPARAM lParam);
  void OnKey(UINT message, WPARAM wParam);
  void Paint();
  void SelectCell(int cell);
  void ShowForm();
  void HideForm();
  void DestroyForm();
  void Confirm();
  void SetAccount(const std::string& account, const std::string& title);
  Outcome Type(const std::string& argument);
  Outcome Pick(const std::string& argument);

  RnqSetup setup_;
  HWND main_ = nullptr;
  HWND form_ = nullptr;
  HWND edit_ = nullptr, memo_ = nullptr;
  bool pressed_ = false;
  int selected_ = 0;
};

}  // namespace standin
