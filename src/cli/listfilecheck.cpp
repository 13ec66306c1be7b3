#include "listfilecheck.h"

#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/textutils.h"
#include "storage/lists/listlines.h"
#include "storage/months/billinginfo.h"

#include <QFileInfo>
#include <QHash>

namespace {
struct TListFileKind {
    QString MainWord;
    QString SubWord;
    bool ClientList;
};

const TListFileKind ClientKind{QStringLiteral("client"), QStringLiteral("project"), true};
const TListFileKind CategoryKind{QStringLiteral("category"), QStringLiteral("activity"), false};

// Checks the lines of one list file as its reader takes them.
class TListFileChecker {
public:
    TListFileChecker(const QString& fileName, const TListFileKind& kind,
                     std::vector<TCheckProblem>& problems)
        : FFileName(fileName), FKind(kind), FProblems(problems) {}

    void CheckLine(const QString& line, int lineNumber) {
        // The client reader trims the whole line first; the category reader splits it as read.
        const QString read = FKind.ClientList ? line.trimmed() : line;
        if (read.isEmpty())
            return;
        FLine = lineNumber;
        const TListLine fields = SplitListLine(read);
        if (HasMissingName(fields) || IsDuplicate(fields))
            return;
        CheckControlCharacters(fields);
        CheckActiveFlag(fields);
        CheckLastFields(fields);
    }

private:
    void Report(const QString& message) { FProblems.push_back({FFileName, FLine, message}); }

    bool HasMissingName(const TListLine& fields) {
        const QString missing = CleanListName(fields.Name).isEmpty()      ? FKind.MainWord
                                : CleanListName(fields.SubName).isEmpty() ? FKind.SubWord
                                                                          : QString();
        if (!missing.isEmpty())
            Report(QStringLiteral("no %1 name; the line is ignored").arg(missing));
        return !missing.isEmpty();
    }

    bool IsDuplicate(const TListLine& fields) {
        const QString key = CleanListName(fields.Name).toCaseFolded() + QLatin1Char('\t') +
                            CleanListName(fields.SubName).toCaseFolded();
        const auto earlier = FFirstLines.constFind(key);
        if (earlier == FFirstLines.constEnd()) {
            FFirstLines.insert(key, FLine);
            return false;
        }
        Report(QStringLiteral("%1 \"%2\" of %3 \"%4\" is listed on line %5 already; the line is "
                              "ignored")
                   .arg(FKind.SubWord, fields.SubName, FKind.MainWord, fields.Name)
                   .arg(*earlier));
        return true;
    }

    // A line break or control character inside a name came from outside the program (which
    // refuses them); it may split or shift the entry in other programs that read the file.
    void CheckControlCharacters(const TListLine& fields) {
        for (const auto& [word, name] : {std::pair{FKind.MainWord, fields.Name},
                                         std::pair{FKind.SubWord, fields.SubName}})
            if (HasControlCharacter(name))
                Report(QStringLiteral("%1 name \"%2\" holds a control character")
                           .arg(word, SingleLine(name)));
    }

    void CheckActiveFlag(const TListLine& fields) {
        if (!fields.ActiveText.isEmpty() && !IsActiveFlagText(fields.ActiveText))
            Report(QStringLiteral("active flag \"%1\" is not Y or N; read as active")
                       .arg(fields.ActiveText));
    }

    void CheckLastFields(const TListLine& fields) {
        if (FKind.ClientList && !fields.BillingText.isEmpty() &&
            !TBillingInfo::CreateFromText(fields.BillingText))
            Report(QStringLiteral("billing text \"%1\" cannot be read; the project has no billing")
                       .arg(fields.BillingText));
        // A category line has no fourth field.
        const bool extra =
            fields.HasExtraFields || (!FKind.ClientList && !fields.BillingText.isEmpty());
        if (extra)
            Report(QStringLiteral("more fields than the list has; the rest is ignored"));
    }

    QString FFileName;
    const TListFileKind& FKind;
    std::vector<TCheckProblem>& FProblems;
    QHash<QString, int> FFirstLines;
    int FLine = 0;
};
} // namespace

void CheckListFile(const QString& fileName, bool clientList, std::vector<TCheckProblem>& problems,
                   int& filesChecked) {
    if (!QFileInfo::exists(fileName))
        return;
    ++filesChecked;
    QStringList lines;
    try {
        lines = ReadListFileLines(fileName);
    } catch (const EInOutError& error) {
        problems.push_back({fileName, 0, error.Message()});
        return;
    }
    TListFileChecker checker(fileName, clientList ? ClientKind : CategoryKind, problems);
    for (int i = 0; i < lines.size(); ++i)
        checker.CheckLine(lines.at(i), i + 1);
}

void CheckListFiles(std::vector<TCheckProblem>& problems, int& filesChecked) {
    // A local copy: finding the server's folder missing must not change the program's state.
    bool useLocal = Locations().UseLocalData;
    const QString shared = DataPath(useLocal);
    const QString local = LocalDataPath();
    QStringList adminFolders{shared};
    if (QFileInfo(local).absoluteFilePath() != QFileInfo(shared).absoluteFilePath())
        adminFolders.append(local);
    for (const QString& folder : adminFolders) {
        CheckListFile(folder + ClientListFileName, true, problems, filesChecked);
        CheckListFile(folder + CategoryListFileName, false, problems, filesChecked);
    }
    CheckListFile(local + InUseClientListFileName, true, problems, filesChecked);
    CheckListFile(local + InUseCategoryListFileName, false, problems, filesChecked);
}
