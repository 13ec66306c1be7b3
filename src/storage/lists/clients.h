#pragma once

#include "storage/lists/client.h"
#include "storage/lists/entrylist.h"

#include <QString>

// The client/project list: the administrator's list ("ClientProject.txt") or a user's in-use
// list ("InUse_ClientProject.txt"). Clients keep the order of their first appearance.
class TClients : public TEntryList<TClient> {
public:
    TClients() = default;
    // An empty list belonging to fileName, filled from the file when it exists. An existing
    // file that cannot be read raises EInOutError.
    explicit TClients(const QString& fileName);

    // Reads FileName again. When the file cannot be read the list stays as it was.
    void Reload();
    // Adds the file's lines with AddEntry; lines that are blank are skipped and entries
    // already present stay as they are. A missing file adds nothing.
    void LoadFrom(const QString& fileName);

    // Adds the project to the client (made clean; an empty client is ignored), creating the
    // client at the end when it is not there yet.
    void AddEntry(const QString& client, const QString& project, bool active,
                  const QString& billingText);
    void AddEntry(const QString& client, const QString& project, const TProjectInfo& info);
    // Adds every client and project of this list to target, in order.
    void MergeInto(TClients& target) const;

    const TClient* FindClient(const QString& name, bool activeOnly) const {
        return FindEntry(name, activeOnly);
    }
    const TClient* FindClientProject(const QString& client, const QString& project,
                                     bool activeOnly) const {
        return FindEntryWith(client, project, activeOnly);
    }
};
