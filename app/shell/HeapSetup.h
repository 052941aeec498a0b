#pragma once

namespace tav::shell {

// Readies the heap for a load of a large design, before anything big is allocated: see
// HeapSetup.cpp. Call once, at the start of the program.
void setUpHeap();

}  // namespace tav::shell
