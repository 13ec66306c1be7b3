#include "userlist.h"

#include "app/datalocations.h"
#include "storage/serverdatascan.h"

QStringList ServerUserNames() {
    if (Locations().ServerFolder.isEmpty())
        return {};
    bool useLocal = false;
    const QString root = DataPath(useLocal);
    return useLocal ? QStringList() : ServerUserFolderNames(root);
}
