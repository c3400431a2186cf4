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
    BACKUP_VERIFY_MISMATCH = 7    /* what was read back from the drive differs from the file */
};

/* Compresses `file` into the archive `archive`. */
BACKUP_API int32_t Zip(const char *file, const char *archive);
/* Restores the file that `archive` holds into `target`. */
BACKUP_API int32_t UnZip(const char *archive, const char *target);
/* Puts the local file `file` onto the drive `drive` ("a:"). */
BACKUP_API int32_t DiskToFloppy(const char *file, const char *drive);
/* Fetches the file that DiskToFloppy last put on `drive` into the local file `file`. */
BACKUP_API int32_t FloppyToDisk(const char *file, const char *drive);

#ifdef __cplusplus
}
#endif

#endif
