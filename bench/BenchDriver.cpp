// nolvzip-bench-driver zip|unzip IN OUT: one library call, its result as the exit status.
#include "Backup.h"

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s zip|unzip IN OUT\n", argv[0]);
        return 2;
    }
    int32_t rc;
    if (std::strcmp(argv[1], "zip") == 0)
        rc = Zip(argv[2], argv[3]);
    else if (std::strcmp(argv[1], "unzip") == 0)
        rc = UnZip(argv[2], argv[3]);
    else
        rc = -1;
    if (rc != 0)
        std::fprintf(stderr, "%s failed: %d\n", argv[1], static_cast<int>(rc));
    return rc == 0 ? 0 : 1;
}
