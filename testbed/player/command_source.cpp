// Reading the command lines; CR LF and LF both end a line.
#include "command_source.h"

#include <thread>

namespace standin {

CommandSource::CommandSource() : shared_(std::make_shared<Shared>()) {
  shared_->ready.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
}

bool CommandSource::Start(const std::string& path) {
  if (path.empty()) {
    shared_->input = GetStdHandle(STD_INPUT_HANDLE);
  } else {
    shared_->ownedInput.Reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    shared_->input = shared_->ownedInput.Get();
  }
  if (shared_->input == INVALID_HANDLE_VALUE || shared_->input == nullptr) return false;
  std::shared_ptr<Shared> shared = shared_;
  std::thread([shared] { ReadAll(shared); }).detach();
  return true;
}

void CommandSource::ReadAll(const std::shared_ptr<Shared>& shared) {
  std::string pending;
  char buffer[4096];
  DWORD count = 0;
  while (ReadFile(shared->input, buffer, sizeof buffer, &count, nullptr) && count > 0) {
    pending.append(buffer, count);
    std::string::size_type end;
    while ((end = pending.find('\n')) != std::string::npos) {
      Push(*shared, pending.substr(0, end));
      pending.erase(0, end + 1);
    }
  }
  if (!pending.empty()) Push(*shared, pending);
  Finish(*shared);
}

void CommandSource::Push(Shared& shared, std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  {
    const std::lock_guard<std::mutex> lock(shared.mutex);
    shared.lines.push_back(std::move(line));
  }
  SetEvent(shared.ready.Get());
}

void CommandSource::Finish(Shared& shared) {
  {
    const std::lock_guard<std::mutex> lock(shared.mutex);
    shared.ended = true;
  }
  SetEvent(shared.ready.Get());
}

bool CommandSource::Take(std::string& line, bool& ended) {
  const std::lock_guard<std::mutex> lock(shared_->mutex);
  ended = shared_->ended && shared_->lines.empty();
  if (shared_->lines.empty()) return false;
  line = std::move(shared_->lines.front());
  shared_->lines.pop_front();
  return true;
}

}  // namespace standin
