#ifndef KAVRIN_DLENGINE_H
#define KAVRIN_DLENGINE_H

/*
 * libdlengine: resumable HTTP and HTTPS downloads behind a small C interface.
 *
 * Every call is cheap and never blocks on the network: the work happens on the engine's own
 * thread. Tasks are named by opaque 32-bit handles; 0 is never a valid handle. Calls made with
 * an unknown handle return 0 and change nothing. All calls may be made from any one thread at a
 * time (the client calls them from its UI thread); no callback ever crosses into the caller.
 *
 * A task saves into "FOLDER/NAME.part" plus a small state file "FOLDER/NAME.part.state", and
 * renames the finished, flushed file to "FOLDER/NAME". A task created again for the same file
 * resumes from the finished ranges recorded in the state file.
 */

#include <stdint.h>

#ifdef __cplusplus
#include <cstddef>
extern "C" {
#else
#include <stddef.h>
#include <uchar.h>
#endif

/* The engine exports its entry points; the client finds them at run time by name, so callers
   need no import marking. */
#if defined(_WIN32) && defined(DL_BUILDING_ENGINE)
#define DL_EXPORT __declspec(dllexport)
#elif defined(_WIN32)
#define DL_EXPORT
#else
#define DL_EXPORT __attribute__((visibility("default")))
#endif

typedef uint32_t DL_TaskHandle;

/* Limits of the text fields of EngineTaskRequest, in UTF-16 units including the terminator. */
#define DL_URL_CAPACITY 8264
#define DL_FILE_NAME_CAPACITY 520
#define DL_FOLDER_CAPACITY 260

/* The request block of DL_CreateTask: 26,564 bytes, little-endian, zero where not named. Texts
 * are UTF-16 and NUL-terminated. */
typedef struct EngineTaskRequest {
    int32_t reserved0;
    char16_t url[DL_URL_CAPACITY];            /* offset 4 */
    char16_t fileName[DL_FILE_NAME_CAPACITY]; /* offset 16,532: a plain name, no folders */
    char16_t saveFolder[DL_FOLDER_CAPACITY];  /* offset 17,572: an existing folder */
    uint8_t reserved1[268];
    int32_t clientField5; /* offset 18,360: the client writes 5; not read */
    int32_t reserved2;
    int32_t clientField1; /* offset 18,368: the client writes 1; not read */
    uint8_t reserved3[8192];
} EngineTaskRequest;

/* Engine states, at offset 0 of EngineTaskReport. */
enum {
    DL_STATE_NONE = 0,       /* created, not started yet */
    DL_STATE_CONNECTING = 1, /* started, waiting for the server's first answer */
    DL_STATE_DOWNLOADING = 2,
    DL_STATE_PAUSED = 3,   /* after DL_ForceStopTask; DL_StartTask continues */
    DL_STATE_COMPLETE = 4, /* the file is in place under its final name */
    DL_STATE_ERROR = 5,    /* see errorCode; DL_StartTask tries again */
    DL_STATE_STOPPED = 6   /* after DL_StopTask; DL_StartTask continues */
};

/* Error codes, in EngineTaskReport.errorCode. */
enum {
    DL_ERROR_NONE = 0,
    DL_ERROR_BAD_REQUEST = 1, /* empty or unusable URL, folder or file name */
    DL_ERROR_UNSAFE_NAME = 2, /* the file name would leave the save folder */
    DL_ERROR_HTTP = 3,        /* the server refused the file; httpStatus holds its answer */
    DL_ERROR_NETWORK = 4,     /* transient failures went on past the retry budget */
    DL_ERROR_TLS = 5,         /* the server's certificate could not be verified */
    DL_ERROR_DISK_FULL = 6,
    DL_ERROR_FILE = 7,     /* the part file, state file or final name could not be written */
    DL_ERROR_SAME_FILE = 8 /* another running task is saving to the same file */
};

#pragma pack(push, 1)
/* The report block of DL_QueryTaskInfoEx: 1,429 bytes, no padding. The caller may leave any
 * value in it; every field is written. */
typedef struct EngineTaskReport {
    int32_t state;           /* offset 0: DL_STATE_* */
    int64_t totalBytes;      /* offset 4: -1 while unknown */
    int64_t downloadedBytes; /* offset 12: bytes of the file received so far */
    int64_t bytesPerSecond;  /* offset 20: receive speed over the last second or so */
    int32_t errorCode;       /* offset 28: DL_ERROR_* */
    int32_t httpStatus;      /* offset 32: last HTTP status that ended the task, else 0 */
    int32_t connections;     /* offset 36: transfers running now */
    int64_t fetchedBytes;    /* offset 40: bytes received from the network since creation */
    uint8_t reserved1[1016];
    float progress; /* offset 1,064: downloadedBytes / totalBytes, 0 while unknown */
    uint8_t reserved2[361];
} EngineTaskReport;
#pragma pack(pop)

/* The seven operations the client calls. */

/* Starts the engine thread. Returns 1, also when already running; 0 when it cannot start. */
DL_EXPORT int32_t DL_Init(void);
/* Copies the request; the task waits for DL_StartTask. 0 when the engine is not running. */
DL_EXPORT DL_TaskHandle DL_CreateTask(const EngineTaskRequest* request);
/* Starts or continues a task. Nonzero when it runs (or is already complete); 0 when the request
 * was unusable, the name unsafe, or another running task saves to the same file. */
DL_EXPORT int32_t DL_StartTask(DL_TaskHandle task);
/* Pauses at once: transfers end, received bytes are written and recorded for resuming. */
DL_EXPORT int32_t DL_ForceStopTask(DL_TaskHandle task);
/* Stops like DL_ForceStopTask, leaving the state "stopped". */
DL_EXPORT int32_t DL_StopTask(DL_TaskHandle task);
/* Stops the task and forgets its handle; its part and state files stay for a later task. */
DL_EXPORT int32_t DL_DeleteTask(DL_TaskHandle task);
/* Fills report. Nonzero when the handle is known. */
DL_EXPORT int32_t DL_QueryTaskInfoEx(DL_TaskHandle task, EngineTaskReport* report);

/* Further operations. */

/* Ends every transfer (recording progress) and the engine thread; forgets every task. */
DL_EXPORT int32_t DL_UnInit(void);
/* The three main figures without the block. Null pointers are skipped. */
DL_EXPORT int32_t DL_QueryTaskInfo(DL_TaskHandle task, int32_t* state, int64_t* totalBytes,
                                   int64_t* downloadedBytes);
/* Limits the receive speed of all transfers together; 0 removes the limit. */
DL_EXPORT int32_t DL_SetSpeedLimit(int64_t bytesPerSecond);
/* Proxy URL ("http://host:port", "socks5://host:port") for transfers started later; null or
 * empty for none. */
DL_EXPORT int32_t DL_SetProxy(const char16_t* proxyUrl);
/* Creates a task from three texts instead of a request block. */
DL_EXPORT DL_TaskHandle DL_CreateTaskByURL(const char16_t* url, const char16_t* saveFolder,
                                           const char16_t* fileName);
/* PEM file of certificate authorities trusted in addition to the system's; null or empty for
 * the system's alone. Verification itself is never turned off. */
DL_EXPORT int32_t DL_SetCaFile(const char16_t* pemPath);
/* Connections one task may use at once, 1 to 16 (16 by default). */
DL_EXPORT int32_t DL_SetMaxConnections(int32_t connections);
/* User-Agent header of later transfers; null or empty for the engine's own. */
DL_EXPORT int32_t DL_SetUserAgent(const char16_t* userAgent);
/* Version of this library as 0xMMmmpppp. */
DL_EXPORT int32_t DL_GetVersion(void);
/* Number of tasks with a live handle. */
DL_EXPORT int32_t DL_GetTaskCount(void);
/* Pauses every running task. */
DL_EXPORT int32_t DL_PauseAllTasks(void);
/* Starts or continues every paused or stopped task. */
DL_EXPORT int32_t DL_StartAllTasks(void);
/* Static English text of an error code; never null. */
DL_EXPORT const char* DL_GetErrorText(int32_t errorCode);
/* Removes a task's part and state files; the task must not be running. */
DL_EXPORT int32_t DL_DeleteTaskFiles(DL_TaskHandle task);

#ifdef __cplusplus
}  // extern "C"

static_assert(sizeof(EngineTaskRequest) == 26564);
static_assert(offsetof(EngineTaskRequest, url) == 4);
static_assert(offsetof(EngineTaskRequest, fileName) == 16532);
static_assert(offsetof(EngineTaskRequest, saveFolder) == 17572);
static_assert(offsetof(EngineTaskRequest, clientField5) == 18360);
static_assert(offsetof(EngineTaskRequest, clientField1) == 18368);
static_assert(sizeof(EngineTaskReport) == 1429);
static_assert(offsetof(EngineTaskReport, progress) == 1064);
#else
_Static_assert(sizeof(EngineTaskRequest) == 26564, "request block layout");
_Static_assert(offsetof(EngineTaskRequest, saveFolder) == 17572, "request block layout");
_Static_assert(sizeof(EngineTaskReport) == 1429, "report block layout");
_Static_assert(offsetof(EngineTaskReport, progress) == 1064, "report block layout");
#endif

#endif /* KAVRIN_DLENGINE_H */
