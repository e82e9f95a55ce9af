#pragma once
// Serving the GUI thread's window messages while it does long file work itself.

// Dispatches the window messages waiting for the calling thread. Cheap to call often: it only
// looks at the queue every few milliseconds. A quit message is left for the real loop.
void serve_pending_messages();
