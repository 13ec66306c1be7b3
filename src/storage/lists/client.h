#pragma once

#include "storage/lists/listentry.h"
#include "storage/lists/projectinfo.h"

#include <QMetaType>
#include <QString>

// A client with its projects, as the client/project lists keep it.
class TClient : public TListEntry<TProjectInfo> {
public:
    TClient() = default;
    // No projects, inactive.
    explicit TClient(const QString& name) : TListEntry(name) {}

    // Same name; with projects, every project with its active flag and billing (and Active
    // recomputed); without, no projects and the same Active.
    static TClient CreateCopy(const TClient& other, bool withProjects);

    const TEntries& Projects() const { return SubEntries(); }

    // Ignored when the trimmed name is empty or the project exists (letter case ignored).
    // The project gets billing when billingText reads as a billing text.
    void AddProject(const QString& name, const QString& billingText, bool active);
    void AddProject(const QString& name, const TProjectInfo& info);
    bool HasProject(const QString& name, bool activeOnly) const {
        return HasSubEntry(name, activeOnly);
    }

    // Appends the file lines of this client, one per project.
    void WriteLines(QString& text) const;
};

// Held by value in the nodes of the list trees.
Q_DECLARE_METATYPE(TClient)
