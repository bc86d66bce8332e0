#pragma once

namespace velmora {

// Reads the system's font configuration and font caches, which the toolkit
// otherwise reads when it first draws a text. Safe from any thread and at
// any time, even before the toolkit starts: done on a thread of its own
// while the toolkit starts, it takes that time off the first window.
void WarmUpFontConfig();

}  // namespace velmora
