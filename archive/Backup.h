/* The archive library's interface: four functions, each taking two
 * zero-terminated 8-bit strings and returning 0 on success.
 * Callers rely only on zero meaning success; the other values name the
 * cause for diagnostics and tests. */
#ifndef NOLVZIP_ARCHIVE_BACKUP_H
#define NOLVZIP_ARCHIVE_BACKUP_H

#include <stdint.h>

#if defined(BACKUP_BUILDING_LIBRARY)
#  define BACKUP_API __attribute__((visibility("default")))
#else
#  define BACKUP_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum BackupResult {
    BACKUP_OK = 0,
    BACKUP_BAD_ARGUMENT = 1,      /* null or empty path, or a malformed drive */
    BACKUP_SOURCE_UNREADABLE = 2, /* the input file cannot be opened or read */
    BACKUP_WRITE_FAILED = 3,      /* the output could not be written: no space, I/O error */
    BACKUP_DAMAGED_ARCHIVE = 4,   /* not a complete, intact archive */
    BACKUP_SAME_FILE = 5,         /* input and output are the same file */
    BACKUP_DRIVE_UNAVAILABLE = 6, /* the drive's folder is missing or no medium is mounted */
    BACKUP_VERIFY_MISMATCH = 7,   /* what was read back from the drive differs from the file */
    BACKUP_INTERNAL_ERROR = 8     /* out of memory, or an unexpected failure inside the library */
};

/* An archive is one standard zstd stream with a content checksum: `zstd -t`
 * checks it and `zstd -d` restores it. Every output is written under a
 * temporary name, flushed to the disk and renamed into place, so on any
 * failure what stood at the output path is left as it was. */

/* Compresses `file` into the archive `archive`, created with the file's owner
 * permission bits only. */
BACKUP_API int32_t Zip(const char *file, const char *archive);
/* Restores the file that `archive` (any valid zstd stream) holds into
 * `target`, created owner-only (0600). */
BACKUP_API int32_t UnZip(const char *archive, const char *target);
/* Puts the local file `file` onto the drive `drive` ("a:" or "A:") as
 * NOLVZIP.ZST, and checks what the medium then holds before replacing the
 * previous copy. Drive X is the folder in the environment variable
 * BACKUP_DRIVE_X; without it, A is /media/floppy0 and B /media/floppy1, and
 * must have a medium mounted there. */
BACKUP_API int32_t DiskToFloppy(const char *file, const char *drive);
/* Fetches the file that DiskToFloppy last put on `drive` into the local file `file`. */
BACKUP_API int32_t FloppyToDisk(const char *file, const char *drive);

#ifdef __cplusplus
}
#endif

#endif
