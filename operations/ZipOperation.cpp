#include "ZipOperation.h"

#include "Backup.h"
#include "OperationError.h"
#include "Platform.h"

void ZipOperation(const std::string &fileToZip, const std::string &zipFileName, bool toFloppy,
                  const std::string &programFolder)
{
    const std::string archive = toFloppy ? programFolder + "ziptemp" : zipFileName;

    if (Zip(fileToZip.c_str(), archive.c_str()) != 0)
        throw OperationError("Impossible de dézipper le fichier");
    if (!toFloppy)
        return;

    if (DiskToFloppy(archive.c_str(), "a:") != 0)
        throw OperationError("Impossible de copier le fichier Zipper " + archive + " sur la disquette");
    platform::DeleteFile(archive);
}
