#include "UnzipOperation.h"

#include "Backup.h"
#include "OperationError.h"
#include "Platform.h"

void UnzipOperation(const std::string &fileToUnzip, const std::string &restoredPath, bool fromFloppy,
                    const std::string &programFolder)
{
    const std::string archive = fromFloppy ? programFolder + "deziptemp" : fileToUnzip;
    const std::string temporary = restoredPath + "unZipTemp";

    // Going on after a failed fetch would restore whatever stale copy an
    // earlier restore left in the program folder, and call it a success.
    if (fromFloppy && FloppyToDisk(archive.c_str(), "a:") != 0)
        throw OperationError("Impossible de copier le fichier de la disquette vers " + archive);

    if (UnZip(archive.c_str(), restoredPath.c_str()) == 0)
        return;

    if (UnZip(archive.c_str(), temporary.c_str()) != 0)
        throw OperationError("Impossible de dézipper le fichier " + archive + " en " + temporary);
    if (fromFloppy)
        platform::DeleteFile(archive);

    if (platform::CopyFileA(temporary.c_str(), restoredPath.c_str(), false) == 0)
        throw OperationError("Impossible de copier le fichier " + temporary + " vers " + restoredPath);
    platform::DeleteFile(temporary);
}
