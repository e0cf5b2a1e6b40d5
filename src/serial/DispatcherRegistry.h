// The process-wide list of dispatchers: a dispatcher's slot index is its
// handle, carried in the high word of every event's lParam.
#pragma once

namespace vl::serial {

class VlBaseDispatcher;

// The first free slot (or a new one at the end); -1 when all 65536 are taken.
int RegisterDispatcher(VlBaseDispatcher* dispatcher);
// Clears the slot and drops empty slots at the end.
void UnregisterDispatcher(int handle);
// The dispatcher in `handle`'s slot, or nullptr.
VlBaseDispatcher* DispatcherAt(int handle);

}  // namespace vl::serial
