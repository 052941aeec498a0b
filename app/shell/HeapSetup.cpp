#include "HeapSetup.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace tav::shell {

namespace {

// A load allocates a model a few times the size of its design, in tens of thousands of small
// pieces, in a process that starts afresh for every command-line job: first touches of new
// pages, one fault for every 4 KiB, cost as much as the load's own work. The heap is grown once,
// by more than a large design needs, in a range the kernel may back with huge pages (one fault
// for 2 MiB), and what is freed stays in it for the next allocation rather than going back to
// the system to be faulted in again.
constexpr std::size_t kHeapReserve = std::size_t(64) << 20;
// Blocks up to this size (a design's text, a document's parts) come from that heap too.
constexpr int kLargestHeapBlock = 32 << 20;
constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;

}  // namespace

void setUpHeap() {
    if (mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock) == 0 ||
        mallopt(M_TRIM_THRESHOLD, 2 * kHeapReserve) == 0 || mallopt(M_TOP_PAD, kHeapReserve) == 0)
        return;
    // One allocation that the heap's free top cannot hold makes the allocator grow the heap by
    // it and the pad at once; freed, it leaves the whole range to the allocations that follow.
    // Where the allocator does not grow its heap in place, the range is empty and nothing is
    // advised.
    const auto heapEnd = [] { return reinterpret_cast<std::uintptr_t>(sbrk(0)); };
    const std::uintptr_t before = heapEnd();
    void* volatile grown = std::malloc(kHeapReserve / 4);
    std::free(grown);
    const std::uintptr_t from = (before + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t to = heapEnd() & ~(kHugePage - 1);
    // Advice only: where huge pages are not to be had, the range is faulted in page by page.
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

}  // namespace tav::shell
