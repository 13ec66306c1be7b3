#include "userlist.h"

#include "base/datalocations.h"
#include "storage/server/serverdatascan.h"

QStringList ServerUserNames() {
    if (Locations().ServerFolder.isEmpty())
        return {};
    bool useLocal = false;
    const QString root = DataPath(useLocal);
    return useLocal ? QStringList() : ServerUserFolderNames(root);
}
