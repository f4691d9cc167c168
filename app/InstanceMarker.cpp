#include "app/InstanceMarker.h"

#include <fcntl.h>

namespace {

// POSIX names start with a slash and hold no other slash.
constexpr const char* MarkerName = "/Veltmark:Orvanta";

} // namespace

TInstanceMarker::TInstanceMarker() : handle_(sem_open(MarkerName, O_CREAT, 0600, 0)) {}

TInstanceMarker::~TInstanceMarker() {
    if (handle_ != SEM_FAILED)
        sem_close(handle_);
}
