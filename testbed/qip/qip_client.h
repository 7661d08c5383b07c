// The stand-in QIP's windows and what they do: the main window "TMainForm" with its panels,
// the status form "TCusForm" with its picture list, two edit boxes and "OK", the status it
// has adopted, and its custom-status file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "client_script.h"

namespace standin {

// When the status form and its controls come into being.
enum class FormTiming { kAtStart, kWindowOnClick, kControlsOnClick };

struct QipSetup {
  std::string account;
  std::string title;  // empty: "[qip] - " and the account
  int panels = 3;
  FormTiming timing = FormTiming::kAtStart;
  int picture = 0;
  std::string status, status2;
};

class QipClient : public ClientCommands {
 public:
  bool Start(HINSTANCE instance, const QipSetup& setup);
  void Stop();
  Outcome Execute(const std::string& word, const std::string& argument) override;

  void OnPanelClick(HWND panel, int x, int y);
  LRESULT MainMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT FormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Status {
    int picture = 0;
    std::string status, status2;
  };

  bool CreateMainWindow(HINSTANCE instance);
  void CreatePanels();
  bool IsOpeningClick(HWND panel, int x, int y) const;
  void OpenForm();
  void CreateFormWindow();
  void CreateFormControls();
  void ShowForm();
  void HideForm();
  void DestroyForm();
  void Confirm();
  void StoreInFile();
  void SetAccount(const std::string& account, const std::string& title);
  std::string ProfileFile() const;
  Outcome Type(const std::string& argument);
  Outcome Pick(const std::string& argument);

  HINSTANCE instance_ = nullptr;
  QipSetup setup_;
  HWND main_ = nullptr;
  std::vector<HWND> panels_;
  HWND form_ = nullptr;
  HWND pictures_ = nullptr, long_ = nullptr, short_ = nullptr, ok_ = nullptr;
  Status adopted_;
};

}  // namespace standin
