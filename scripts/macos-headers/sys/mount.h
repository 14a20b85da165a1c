/* <sys/mount.h>: the mount listing as the Mac's getmntinfo(3) and statfs(2) pages
   document it (the 64-bit inode layout). Found before the C library's own header
   of that name, which is Linux's and has neither. */
#pragma once

#include <stdint.h>
#include <sys/types.h>

#define MFSTYPENAMELEN 16
#define MNT_WAIT       1
#define MNT_NOWAIT     2

struct statfs
{
    uint32_t f_bsize;
    int32_t  f_iosize;
    uint64_t f_blocks;
    uint64_t f_bfree;
    uint64_t f_bavail;
    uint64_t f_files;
    uint64_t f_ffree;
    struct { int32_t val[2]; } f_fsid;
    uid_t    f_owner;
    uint32_t f_type;
    uint32_t f_flags;
    uint32_t f_fssubtype;
    char     f_fstypename[MFSTYPENAMELEN];
    char     f_mntonname[1024];     /* MAXPATHLEN, which the C library here defines otherwise */
    char     f_mntfromname[1024];
    uint32_t f_flags_ext;
    uint32_t f_reserved[7];
};

#ifdef __cplusplus
extern "C" {
#endif

int getmntinfo (struct statfs** mntbufp, int mode);

#ifdef __cplusplus
}
#endif
