#include "io_floor.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

/* Case-insensitive ".xml" at the end of the name, as the road's search. */
static int IsReportName(const char* name) {
    const size_t length = strlen(name);
    if (length < 4)
        return 0;
    const char* end = name + length - 4;
    return end[0] == '.' && (end[1] | 0x20) == 'x' && (end[2] | 0x20) == 'm' &&
           (end[3] | 0x20) == 'l';
}

/* Read the whole file into *buffer (grown as needed); -1 on failure. */
static long ReadAll(const char* path, char** buffer, size_t* capacity) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info;
    if (fstat(fd, &info) != 0) {
        close(fd);
        return -1;
    }
    const size_t want = (size_t)info.st_size;
    if (want > *capacity) {
        char* grown = realloc(*buffer, want);
        if (grown == NULL) {
            close(fd);
            return -1;
        }
        *buffer = grown;
        *capacity = want;
    }
    size_t done = 0;
    while (done < want) {
        const ssize_t got = read(fd, *buffer + done, want - done);
        if (got <= 0)
            break;
        done += (size_t)got;
    }
    close(fd);
    return (long)done;
}

static int WriteFileOfSize(const char* path, const char* bytes, size_t size) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    size_t done = 0;
    while (done < size) {
        const ssize_t put = write(fd, bytes + done, size - done);
        if (put <= 0)
            break;
        done += (size_t)put;
    }
    return close(fd) == 0 && done == size ? 0 : -1;
}

int IoFloorRun(const char* folder, const char* outFolder, const size_t* sizes, size_t count,
               struct IoFloorResult* result) {
    result->Files = 0;
    result->Bytes = 0;
    DIR* dir = opendir(folder);
    if (dir == NULL)
        return -1;
    char path[4096];
    char* buffer = NULL;
    size_t capacity = 0;
    int status = 0;
    for (struct dirent* entry = readdir(dir); entry != NULL; entry = readdir(dir)) {
        if (!IsReportName(entry->d_name))
            continue;
        snprintf(path, sizeof path, "%s/%s", folder, entry->d_name);
        const long got = ReadAll(path, &buffer, &capacity);
        if (got < 0) {
            status = -1;
            continue;
        }
        ++result->Files;
        result->Bytes += (size_t)got;
    }
    closedir(dir);
    free(buffer);
    /* The documents' bytes need no making: one filled page serves them all. */
    size_t largest = 0;
    for (size_t i = 0; i < count; ++i)
        largest = sizes[i] > largest ? sizes[i] : largest;
    char* page = malloc(largest + 1);
    if (page == NULL)
        return -1;
    memset(page, 'x', largest);
    for (size_t i = 0; i < count; ++i) {
        snprintf(path, sizeof path, "%s/floor_%zu.htm", outFolder, i);
        if (WriteFileOfSize(path, page, sizes[i]) != 0)
            status = -1;
    }
    free(page);
    return status;
}
