/* The I/O floor of the generation road: what any program that makes the set
 * must do at the least, written in plain C with no checks beyond the system's
 * own. It lists the folder, reads every "*.xml" file in it once, and writes
 * one file of each given size into the output folder. The road's cost is
 * measured next to it, so that the ratio says how much the program adds. */
#ifndef NOTARION_BENCH_IO_FLOOR_H
#define NOTARION_BENCH_IO_FLOOR_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

struct IoFloorResult {
    /* Report files read and their bytes. */
    size_t Files;
    size_t Bytes;
};

/* List folder, read its report files, write count files ("floor_N.htm") of
 * the given sizes into outFolder. Returns 0, or -1 when any step failed. */
int IoFloorRun(const char* folder, const char* outFolder, const size_t* sizes, size_t count,
               struct IoFloorResult* result);

#ifdef __cplusplus
}
#endif

#endif
