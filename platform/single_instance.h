#pragma once
// One running game per user: the first process holds an exclusive lock on
// "lock" in the data directory for as long as it lives.
namespace platform {

// True when this process holds the lock (also when the lock file cannot be
// opened at all: the game then runs without one); false when another
// process holds it. Later calls in a process that holds it return true.
bool claimSingleInstance();

} // namespace platform
