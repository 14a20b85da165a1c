/* <libproc.h>: the one call of the process information library that our sources
   use, as Apple documents it. */
#pragma once

#include <sys/types.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The ids of the processes whose parent is ppid, into buffer (buffersize bytes). */
int proc_listchildpids (pid_t ppid, void* buffer, int buffersize);

#ifdef __cplusplus
}
#endif
