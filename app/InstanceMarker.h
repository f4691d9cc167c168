#pragma once

#include <semaphore.h>

// The program's named instance marker "Veltmark:Orvanta", held for the life of the process.
// A POSIX named semaphore stands in for the desktop's named mutex: created (or opened) at start
// and closed at exit, never waited on and never removed. Whether it existed already, or could be
// created at all, makes no difference: a second instance runs exactly like the first.
class TInstanceMarker {
public:
    TInstanceMarker();
    ~TInstanceMarker();
    TInstanceMarker(const TInstanceMarker&) = delete;
    TInstanceMarker& operator=(const TInstanceMarker&) = delete;

private:
    sem_t* handle_;
};
