// The registry is a fixed table of slots, each claimed and given back with
// atomic steps, so that a signal handler (or, on Windows, the console's
// handler thread) can walk it at any moment while other threads change it.
#include <tintwright/util/RemovedOnInterrupt.h>

#include <atomic>
#include <chrono>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>
#endif

namespace tw {

namespace {

using Char = std::filesystem::path::value_type;
using Kind = RemovedOnInterrupt::Kind;

// Free -> Filling -> Ready -> Free again, or Ready -> Removing -> Removed
// when the handler takes it; a removed slot is never used again.
enum State : int { kFree, kFilling, kReady, kRemoving, kRemoved };

struct Slot {
    std::atomic<int> state{kFree};
    int folder = 0;
    Kind kind = Kind::File;
    const Char* path = nullptr;
};

// More than the paths a run ever holds at once; past it a path is simply
// not cleaned up on an interruption.
constexpr int kSlots = 1024;
Slot slots[kSlots];

// The threads between making a path and registering it.
std::atomic<int> making{0};

enum Sweep : int { kNotStarted, kSweeping, kSwept };
std::atomic<int> sweep{kNotStarted};

static_assert(std::atomic<int>::is_always_lock_free, "the handler may not take a lock");

#ifdef _WIN32

void RemoveFile(const Slot& slot) {
    DeleteFileW(slot.path);
}

void EmptyFolder(const Slot& slot) {
    const std::wstring folder = std::wstring(slot.path) + L"\\";
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void RemoveFolder(const Slot& slot) {
    RemoveDirectoryW(slot.path);
}

#else

void RemoveFile(const Slot& slot) {
    unlinkat(slot.folder, slot.path, 0);
}

// getdents64 is the system call itself, unlike readdir, which may allocate.
void EmptyFolder(const Slot& slot) {
#ifdef __linux__
    const int fd = openat(slot.folder, slot.path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    alignas(dirent64) char entries[4096];
    ssize_t size = 0;
    while ((size = getdents64(fd, entries, sizeof entries)) > 0) {
        for (ssize_t at = 0; at < size;) {
            const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
            unlinkat(fd, entry->d_name, 0);  // "." and ".." are refused
            at += entry->d_reclen;
        }
    }
    close(fd);
#else
    (void)slot;  // elsewhere the folder stays when it holds files
#endif
}

void RemoveFolder(const Slot& slot) {
    unlinkat(slot.folder, slot.path, AT_REMOVEDIR);
}

#endif

void Remove(const Slot& slot) {
    if (slot.kind == Kind::File) {
        RemoveFile(slot);
        return;
    }
    if (slot.kind == Kind::FolderAndFiles) EmptyFolder(slot);
    RemoveFolder(slot);
}

// Takes every ready slot of files, or of folders, and removes its path.
void RemoveSlots(bool files) {
    for (Slot& slot : slots) {
        int ready = kReady;
        if (!slot.state.compare_exchange_strong(ready, kRemoving)) continue;
        if ((slot.kind == Kind::File) == files) {
            Remove(slot);
            slot.state.store(kRemoved);
        } else {
            slot.state.store(kReady);
        }
    }
}

}  // namespace

RemovedOnInterrupt::RemovedOnInterrupt(const std::filesystem::path& path, Kind kind)
    : path_(path.native()) {
#ifdef _WIN32
    Register(0, kind);
#else
    Register(AT_FDCWD, kind);
#endif
}

#ifndef _WIN32
RemovedOnInterrupt::RemovedOnInterrupt(int folder, const std::filesystem::path& name, Kind kind)
    : path_(name.native()) {
    Register(folder, kind);
}
#endif

void RemovedOnInterrupt::Register(int folder, Kind kind) {
    for (int i = 0; i < kSlots; ++i) {
        int free = kFree;
        if (!slots[i].state.compare_exchange_strong(free, kFilling)) continue;
        slots[i].folder = folder;
        slots[i].kind = kind;
        slots[i].path = path_.c_str();
        slots[i].state.store(kReady);
        slot_ = i;
        return;
    }
}

// A slot the handler is removing meanwhile is waited for: its path string
// must stay until then.
RemovedOnInterrupt::~RemovedOnInterrupt() {
    if (slot_ < 0) return;
    std::atomic<int>& state = slots[slot_].state;
    for (int ready = kReady; !state.compare_exchange_weak(ready, kFree); ready = kReady) {
        if (ready == kRemoved) return;
        if (ready == kRemoving) std::this_thread::yield();
    }
}

InterruptsHeld::InterruptsHeld() {
#ifndef _WIN32
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &saved_);
#endif
    ++making;
    // Once the handler has begun (in another thread), nothing new is made:
    // this thread waits for the end of the process.
    if (sweep.load() == kNotStarted) return;
    --making;
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

InterruptsHeld::~InterruptsHeld() {
    --making;
#ifndef _WIN32
    pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
#endif
}

void RemoveInterruptedPaths() {
    int notStarted = kNotStarted;
    if (!sweep.compare_exchange_strong(notStarted, kSweeping)) {
        while (sweep.load() != kSwept) {
        }
        return;
    }
    while (making.load() > 0) {
    }
    RemoveSlots(/*files=*/true);
    RemoveSlots(/*files=*/false);
    sweep.store(kSwept);
}

}  // namespace tw
