#pragma once

// How much of one file the program reads at most. Reading takes anything
// beyond these limits for damage (one wrong digit, a file that is not what
// its name says) rather than for hours of work or the whole memory; writing
// a report refuses to go beyond them, so that nothing the program writes is
// called damaged when it is read back. One home for both sides.

#include <cstdint>

namespace notarion {

// The largest file the program reads: far above any report, list file or
// page, far below what would exhaust the memory.
inline constexpr std::uint64_t MaxReadableFileSize = 64ull * 1024 * 1024;

// The largest count of students or lines a report can plausibly hold. A count
// above it is taken for damage (one wrong digit), not for work to do for hours.
inline constexpr int MaxLoopCount = 10000;

// The most lines (students, justifications, lines of text) one report can
// plausibly hold, its counts added up. Counts nest, so counts that each pass
// MaxLoopCount can still multiply into hours of work; a report above this
// total is taken for damage like a count above MaxLoopCount.
inline constexpr int MaxReportLines = 100000;

} // namespace notarion
