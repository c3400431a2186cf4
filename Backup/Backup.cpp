// Placeholder until the real archive code lands: every call fails.
#include "Backup.h"

extern "C" {
int32_t Zip(const char *, const char *) { return BACKUP_WRITE_FAILED; }
int32_t UnZip(const char *, const char *) { return BACKUP_DAMAGED_ARCHIVE; }
int32_t DiskToFloppy(const char *, const char *) { return BACKUP_DRIVE_UNAVAILABLE; }
int32_t FloppyToDisk(const char *, const char *) { return BACKUP_DRIVE_UNAVAILABLE; }
}
