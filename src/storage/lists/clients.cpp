#include "clients.h"

#include "storage/lists/listlines.h"

TClients::TClients(const QString& fileName) : TEntryList(fileName) {
    LoadFrom(fileName);
}

void TClients::Reload() {
    *this = TClients(FileName);
}

void TClients::LoadFrom(const QString& fileName) {
    // The client reader trims the whole line before splitting it.
    for (const QString& line : ReadListFileLines(fileName)) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        const TListLine fields = SplitListLine(trimmed);
        AddEntry(fields.Name, fields.SubName, ReadActiveFlag(fields.ActiveText),
                 fields.BillingText);
    }
}

void TClients::AddEntry(const QString& client, const QString& project, bool active,
                        const QString& billingText) {
    if (TClient* entry = EntryFor(client))
        entry->AddProject(project, billingText, active);
}

void TClients::AddEntry(const QString& client, const QString& project, const TProjectInfo& info) {
    if (TClient* entry = EntryFor(client))
        entry->AddProject(project, info);
}

void TClients::MergeInto(TClients& target) const {
    for (const TClient& client : FItems)
        for (const TSubEntry<TProjectInfo>& project : client.Projects())
            target.AddEntry(client.Name, project.Name, project.Info);
}
