#include "client.h"

TClient TClient::CreateCopy(const TClient& other, bool withProjects) {
    TClient copy(other.Name);
    if (withProjects) {
        copy.FSubEntries = other.FSubEntries;
        copy.RecomputeActive();
    } else {
        copy.Active = other.Active;
    }
    return copy;
}

void TClient::AddProject(const QString& name, const QString& billingText, bool active) {
    std::optional<TBillingInfo> billing;
    if (std::unique_ptr<TBillingInfo> read = TBillingInfo::CreateFromText(billingText))
        billing = *read;
    AddProject(name, TProjectInfo(active, billing));
}

void TClient::AddProject(const QString& name, const TProjectInfo& info) {
    AddSubEntry(name, info);
}

void TClient::WriteLines(QString& text) const {
    for (const TSubEntry<TProjectInfo>& project : Projects())
        text += ListLineText(Name, project.Name, project.Info.Active, project.Info.BillingText());
}
