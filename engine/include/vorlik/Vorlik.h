/* Vorlik, the imaging engine: three exported functions and the messages a
 * copy job sends through its callback. */
#ifndef VORLIK_VORLIK_H
#define VORLIK_VORLIK_H

#include "vorlik/JobRecord.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#if defined(VORLIK_BUILDING)
#define VORLIK_API __declspec(dllexport)
#else
#define VORLIK_API __declspec(dllimport)
#endif
#elif defined(VORLIK_BUILDING)
#define VORLIK_API __attribute__((visibility("default")))
#else
#define VORLIK_API
#endif

/* Message codes; the parameter is 0 or a pointer valid only during the call. */
enum {
    JOBMSG_PROGRESS = 1524,    /* const uint8_t*: percent, 0 to 100 */
    JOBMSG_SOURCE = 1535,      /* const VorlikChar*: source path as given */
    JOBMSG_QUERY_ABORT = 1575, /* 0; answer nonzero to stop */
    JOBMSG_LOG_TEXT = 1577,    /* const VorlikChar*: error text for the log */
    JOBMSG_TOTAL_BYTES = 1581, /* const uint64_t*: bytes written (0 after a stop) */
    JOBMSG_MESSAGE_BOX = 1724, /* const VorlikChar*: the same text, for a message box */
    JOBMSG_BYTES_DONE = 2224,  /* const uint64_t*: bytes written so far */
    JOBMSG_BAD_SECTORS = 2225  /* const uint64_t*: unreadable source sectors */
};

/* Runs one copy job described by a scrambled record. Returns 1 when at
 * least one byte reached the destination, else 0. */
VORLIK_API int32_t VORLIK_CALL EngineRunJob(const JobRecord* scrambledRecord);

/* Length of the disk behind an open device handle (a file descriptor on
 * Linux). Returns 1 and stores it, or 0 and leaves *size untouched. */
VORLIK_API int32_t VORLIK_CALL EngineGetDiskSize(intptr_t device, uint64_t* size);

/* Total size of the volume at a root path. Returns 1 and stores it, or 0
 * and leaves *size untouched. */
VORLIK_API int32_t VORLIK_CALL EngineGetVolumeSize(const VorlikChar* rootPath, uint64_t* size);

#ifdef __cplusplus
}
#endif

#endif
