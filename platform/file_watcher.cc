#include "platform/file_watcher.h"

#include <chrono>
#include <filesystem>
#include <map>

#ifdef _WIN32
#include <windows.h>
#else
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace sb {
namespace {

using Clock = std::chrono::steady_clock;

// A watched file's directory ("." for a bare name) and its name there.
std::pair<std::string, std::string> split_path(const std::string& path) {
  const std::filesystem::path full(path);
  std::string directory = full.parent_path().string();
  if (directory.empty()) directory = ".";
  return {directory, full.filename().string()};
}

// The watched names of each directory, the directories in the order given.
std::vector<std::pair<std::string, std::vector<std::string>>> group_by_directory(
    const std::vector<std::string>& paths) {
  std::vector<std::pair<std::string, std::vector<std::string>>> groups;
  for (const std::string& path : paths) {
    auto [directory, name] = split_path(path);
    auto group = groups.begin();
    while (group != groups.end() && group->first != directory) ++group;
    if (group == groups.end()) group = groups.insert(groups.end(), {directory, {}});
    group->second.push_back(name);
  }
  return groups;
}

#ifdef _WIN32

std::wstring widen(const std::string& text) {
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// One directory watched through overlapped ReadDirectoryChangesW calls.
struct WatchedDirectory {
  HANDLE handle = INVALID_HANDLE_VALUE;
  OVERLAPPED overlapped{};
  alignas(DWORD) char buffer[1 << 14];
  std::vector<std::wstring> names;

  ~WatchedDirectory() {
    if (handle != INVALID_HANDLE_VALUE) {
      CancelIo(handle);
      CloseHandle(handle);
    }
    if (overlapped.hEvent != nullptr) CloseHandle(overlapped.hEvent);
  }

  bool ask() {
    ResetEvent(overlapped.hEvent);
    return ReadDirectoryChangesW(handle, buffer, sizeof buffer, FALSE,
                                 FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE |
                                     FILE_NOTIFY_CHANGE_SIZE,
                                 nullptr, &overlapped, nullptr) != 0;
  }

  bool watches(const wchar_t* name, size_t length) const {
    for (const std::wstring& watched : names) {
      if (CompareStringOrdinal(name, static_cast<int>(length), watched.data(),
                               static_cast<int>(watched.size()), TRUE) == CSTR_EQUAL) {
        return true;
      }
    }
    return false;
  }

  // Whether the changes that came name a watched file; an overflowed buffer
  // (no bytes) may have held one.
  bool changed(DWORD bytes) const {
    if (bytes == 0) return true;
    size_t offset = 0;
    for (;;) {
      const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer + offset);
      if (watches(info->FileName, info->FileNameLength / sizeof(wchar_t))) return true;
      if (info->NextEntryOffset == 0) return false;
      offset += info->NextEntryOffset;
    }
  }
};

class DirectoryChangesWatcher : public FileWatcher {
 public:
  bool start(const std::vector<std::string>& paths, std::string* error) {
    for (auto& [directory, names] : group_by_directory(paths)) {
      auto watched = std::make_unique<WatchedDirectory>();
      for (const std::string& name : names) watched->names.push_back(widen(name));
      watched->handle =
          CreateFileA(directory.c_str(), FILE_LIST_DIRECTORY,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
      watched->overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
      if (watched->handle == INVALID_HANDLE_VALUE || watched->overlapped.hEvent == nullptr ||
          !watched->ask()) {
        *error =
            "cannot watch the directory " + directory + " (" + std::to_string(GetLastError()) + ")";
        return false;
      }
      directories_.push_back(std::move(watched));
    }
    return true;
  }

 protected:
  Event next(int timeout_milliseconds) override {
    std::vector<HANDLE> events;
    for (const auto& directory : directories_) events.push_back(directory->overlapped.hEvent);
    const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(),
                                               FALSE, static_cast<DWORD>(timeout_milliseconds));
    if (woken == WAIT_TIMEOUT) return Event::kTimeout;
    if (woken >= WAIT_OBJECT_0 + events.size()) return fail();
    WatchedDirectory& directory = *directories_[woken - WAIT_OBJECT_0];
    DWORD bytes = 0;
    if (!GetOverlappedResult(directory.handle, &directory.overlapped, &bytes, FALSE)) {
      return fail();
    }
    const bool changed = directory.changed(bytes);
    if (!directory.ask()) return fail();
    return changed ? Event::kChanged : Event::kTimeout;
  }

 private:
  Event fail() {
    error_ = "the system stopped telling of changes (" + std::to_string(GetLastError()) + ")";
    return Event::kFailed;
  }

  std::vector<std::unique_ptr<WatchedDirectory>> directories_;
};

#else

class InotifyWatcher : public FileWatcher {
 public:
  ~InotifyWatcher() override {
    if (fd_ >= 0) close(fd_);
  }

  bool start(const std::vector<std::string>& paths, std::string* error) {
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) {
      *error = std::string("cannot watch files: ") + std::strerror(errno);
      return false;
    }
    constexpr uint32_t kMask =
        IN_MODIFY | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
    for (auto& [directory, names] : group_by_directory(paths)) {
      const int watch = inotify_add_watch(fd_, directory.c_str(), kMask);
      if (watch < 0) {
        *error = "cannot watch the directory " + directory + ": " + std::strerror(errno);
        return false;
      }
      for (std::string& name : names) names_[watch].push_back(std::move(name));
    }
    return true;
  }

 protected:
  Event next(int timeout_milliseconds) override {
    pollfd ready{fd_, POLLIN, 0};
    const int count = poll(&ready, 1, timeout_milliseconds);
    if (count < 0 && errno != EINTR) return fail();
    if (count <= 0) return Event::kTimeout;
    bool changed = false;
    alignas(inotify_event) char buffer[1 << 14];
    for (;;) {
      const ssize_t bytes = read(fd_, buffer, sizeof buffer);
      if (bytes < 0 && errno == EINTR) continue;
      if (bytes < 0 && errno == EAGAIN) break;
      if (bytes <= 0) return fail();
      for (ssize_t offset = 0; offset < bytes;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
        // A lost queue may have held a change of ours.
        if ((event->mask & IN_Q_OVERFLOW) != 0 || watches(event)) changed = true;
        offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return changed ? Event::kChanged : Event::kTimeout;
  }

 private:
  bool watches(const inotify_event* event) const {
    if (event->len == 0) return false;
    const auto names = names_.find(event->wd);
    if (names == names_.end()) return false;
    for (const std::string& name : names->second) {
      if (name == event->name) return true;
    }
    return false;
  }

  Event fail() {
    error_ = std::string("the system stopped telling of changes: ") + std::strerror(errno);
    return Event::kFailed;
  }

  int fd_ = -1;
  std::map<int, std::vector<std::string>> names_;
};

#endif

int milliseconds_until(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

FileWatcher::Event FileWatcher::wait(int timeout_milliseconds) {
  // Changes of other files in the directories wake the wait too: they do
  // not end it.
  auto next_until = [this](Clock::time_point deadline) {
    for (;;) {
      const int left = milliseconds_until(deadline);
      if (left == 0) return Event::kTimeout;
      const Event event = next(left);
      if (event != Event::kTimeout || Clock::now() >= deadline) return event;
    }
  };
  const Event first = next(timeout_milliseconds);
  if (first != Event::kChanged) return first;
  for (;;) {
    const Event event = next_until(Clock::now() + std::chrono::milliseconds(kQuietMilliseconds));
    if (event == Event::kTimeout) return Event::kChanged;
    if (event == Event::kFailed) return event;
  }
}

std::unique_ptr<FileWatcher> watch_files(const std::vector<std::string>& paths,
                                         std::string* error) {
#ifdef _WIN32
  auto watcher = std::make_unique<DirectoryChangesWatcher>();
#else
  auto watcher = std::make_unique<InotifyWatcher>();
#endif
  if (!watcher->start(paths, error)) return nullptr;
  return watcher;
}

}  // namespace sb
