// dialog_pictures.exe: the README's two pictures of the configuration dialog, taken from the
// screen under Xvfb: the dialog as the built-in settings show it, and the Test button's
// message box on the stand-in player's first track. tools/screenshots.sh runs it and turns
// the BMP files it writes into PNG files.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialog_driver.h"

namespace {

const char kPlaylist[] =
    "[entry]\r\npath=C:\\Музыка\\Кино\\01 Группа крови.mp3\r\nlisttitle=Кино - Группа крови\r\n"
    "artist=Кино\r\ntitle=Группа крови\r\nalbum=Группа крови\r\nlength=285\r\nbitrate=320\r\n"
    "samplerate=44100\r\nchannels=2\r\n";

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDc() { DeleteDC(dc_); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class Bitmap {
 public:
  Bitmap(HDC like, int width, int height) : bitmap_(CreateCompatibleBitmap(like, width, height)) {}
  ~Bitmap() { DeleteObject(bitmap_); }
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  HBITMAP get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

bool WriteFileBytes(const std::string& path, const std::vector<char>& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// The window as the screen shows it, in a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return false;
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  ScreenDc screen;
  MemoryDc memory(screen.get());
  Bitmap bitmap(screen.get(), width, height);
  HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
  SelectObject(memory.get(), previous);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  DWORD rowBytes = static_cast<DWORD>((width * 3 + 3) & ~3);
  info.biSizeImage = rowBytes * static_cast<DWORD>(height);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + info.biSizeImage;
  std::vector<char> bytes(header.bfSize);
  memcpy(bytes.data(), &header, sizeof header);
  memcpy(bytes.data() + sizeof header, &info, sizeof info);
  if (!GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), bytes.data() + header.bfOffBits,
                 reinterpret_cast<BITMAPINFO*>(bytes.data() + sizeof header), DIB_RGB_COLORS)) {
    return false;
  }
  return WriteFileBytes(path, bytes);
}

// The player with the module, playing, then in its config entry; its input stays open
// until the pictures are taken.
struct Player {
  PROCESS_INFORMATION process{};
  HANDLE input = nullptr;
};

bool StartPlayer(const std::string& exe, const std::string& folder, Player& player) {
  std::string playlist = folder + "\\pictures.playlist";
  if (!WriteFileBytes(playlist, std::vector<char>(kPlaylist, kPlaylist + sizeof kPlaylist - 1))) return false;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  if (!CreatePipe(&readEnd, &player.input, &inherit, 0)) return false;
  SetHandleInformation(player.input, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = readEnd;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string commandLine = "\"" + exe + "\" --playlist \"" + playlist + "\" --plugins \"" + folder +
                            "\\Plugins\" --settings \"" + folder + "\"";
  BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                &player.process);
  CloseHandle(readEnd);
  if (!started) return false;
  const char commands[] = "play\nwait 300\nconfig\n";
  DWORD written = 0;
  WriteFile(player.input, commands, sizeof commands - 1, &written, nullptr);
  return true;
}

int TakePictures(const std::string& exe, const std::string& folder, const std::string& out) {
  Player player;
  if (!StartPlayer(exe, folder, player)) return 3;
  int result = 1;
  DialogView view{WaitForDialog(kDialogTitle)};
  if (view.dialog) {
    // Let the dialog paint before the screen is read.
    Sleep(1000);
    bool dialogTaken = SaveWindowPicture(view.dialog, out + "\\dialog.bmp");
    view.ClickLater(6);
    HWND box = WaitForDialog(kMessageBoxTitle, 20000, view.dialog);
    bool boxTaken = false;
    if (box) {
      Sleep(1000);
      boxTaken = SaveWindowPicture(box, out + "\\test-message.bmp");
      CloseMessageBox(box);
      WaitUntilGone(box);
    }
    view.ClickLater(IDCANCEL);
    WaitUntilGone(view.dialog);
    result = dialogTaken && boxTaken ? 0 : 2;
  }
  CloseHandle(player.input);
  WaitForSingleObject(player.process.hProcess, 30000);
  CloseHandle(player.process.hThread);
  CloseHandle(player.process.hProcess);
  return result;
}

}  // namespace

// Arguments: the stand-in player, a folder whose Plugins folder holds the module, and the
// folder for the pictures.
int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: dialog_pictures PLAYER FOLDER OUTPUT\n");
    return 2;
  }
  return TakePictures(argv[1], argv[2], argv[3]);
}
