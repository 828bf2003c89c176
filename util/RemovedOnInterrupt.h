// Paths that go away if the process is interrupted (Ctrl+C, a kill, a closed
// console) before it could remove or keep them itself: the temporary files
// of outputs and private staging folders. Whoever makes such a path holds a
// registration while it exists; a program that wants the cleanup installs
// its own handlers and calls RemoveInterruptedPaths from them. Without
// handlers a registration costs a slot and nothing else.
#pragma once

#include <filesystem>

#ifndef _WIN32
#include <signal.h>
#endif

namespace tw {

class RemovedOnInterrupt {
  public:
    enum class Kind {
        File,
        Folder,          // removed only when empty
        FolderAndFiles,  // a flat folder of this process's own, emptied first
    };

    RemovedOnInterrupt(const std::filesystem::path& path, Kind kind);
#ifndef _WIN32
    // A name inside an open folder, whose descriptor must outlive this.
    RemovedOnInterrupt(int folder, const std::filesystem::path& name, Kind kind);
#endif
    ~RemovedOnInterrupt();
    RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
    RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;

  private:
    void Register(int folder, Kind kind);

    std::filesystem::path::string_type path_;  // the handler reads its c_str()
    int slot_ = -1;                            // -1: not registered
};

// Held while a path is made and registered, so that no interruption falls
// between the two: signals wait until this ends in this thread, and a
// handler running in another thread waits for it too.
class InterruptsHeld {
  public:
    InterruptsHeld();
    ~InterruptsHeld();
    InterruptsHeld(const InterruptsHeld&) = delete;
    InterruptsHeld& operator=(const InterruptsHeld&) = delete;

#ifndef _WIN32
  private:
    sigset_t saved_;
#endif
};

// Removes every registered path, files before folders. It makes only system
// calls on strings prepared beforehand, so a signal handler may call it (on
// Windows the console's handler thread does). A second caller meanwhile
// waits until the first is done, so both may end the process after it. The
// process is to end then: a thread that goes on to make a path waits for
// that end instead.
void RemoveInterruptedPaths();

}  // namespace tw
