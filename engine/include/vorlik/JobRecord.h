/* The job record that the program hands to EngineRunJob, and the key that
 * scrambles it. Both deliverables include this one header, so they always
 * agree on the layout and the key. */
#ifndef VORLIK_JOBRECORD_H
#define VORLIK_JOBRECORD_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define VORLIK_CALL __stdcall
#else
#define VORLIK_CALL
#endif

#ifdef __cplusplus
typedef char16_t VorlikChar; /* UTF-16 code unit */
#else
typedef uint_least16_t VorlikChar;
#endif

/* Options that travel with a job. */
typedef struct TOptionsStruct {
    uint8_t btReplaceData; /* value written in place of unreadable source bytes */
} TOptionsStruct;

/* (message code, parameter, context) -> answer; only the answer to
 * JOBMSG_QUERY_ABORT is read. */
typedef int32_t(VORLIK_CALL* JobCallback)(uintptr_t code, uintptr_t param, uintptr_t context);

/* Six machine-word slots, in this order. */
typedef struct JobRecord {
    const VorlikChar* SrcFile;
    const TOptionsStruct* Options;
    intptr_t Reserved; /* always 0 from the program; never read */
    const VorlikChar* DstFile;
    JobCallback Callback;
    uintptr_t Context;
} JobRecord;

/* Every byte of the record is XORed with this key on both sides. */
#define VORLIK_JOB_RECORD_KEY 0x5Au

static inline void ScrambleJobRecord(JobRecord* record) {
    unsigned char* bytes = (unsigned char*)record;
    for (size_t i = 0; i < sizeof(JobRecord); ++i)
        bytes[i] ^= (unsigned char)VORLIK_JOB_RECORD_KEY;
}

#ifdef __cplusplus
}
#endif

#endif
