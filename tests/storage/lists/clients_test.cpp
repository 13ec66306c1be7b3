#include "base/ioerror.h"
#include "storage/lists/clients.h"
#include "storage/months/billing.h"
#include "testsupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {
QStringList ClientNames(const TClients& clients) {
    QStringList names;
    for (const TClient& client : clients.Items())
        names.append(client.Name);
    return names;
}

QStringList ProjectNames(const TClient& client) {
    QStringList names;
    for (const auto& project : client.Projects())
        names.append(project.Name);
    return names;
}

const TSubEntry<TProjectInfo>& Project(const TClients& clients, const QString& client,
                                       const QString& project) {
    const TClient* found = clients.FindClient(client, false);
    EXPECT_NE(found, nullptr) << client.toStdString();
    const TSubEntry<TProjectInfo>* entry = found->FindSubEntry(project);
    EXPECT_NE(entry, nullptr) << project.toStdString();
    return *entry;
}
} // namespace

class Clients : public TTempFolderTest {
protected:
    // Writes the bytes as a list file and reads it into a new list.
    TClients Read(const QByteArray& bytes) {
        const QString file = Path(QStringLiteral("ClientProject.txt"));
        WriteFile(file, bytes);
        return TClients(file);
    }
};

TEST_F(Clients, LinesOfOneClientInAnyLetterCaseMakeOneClient) {
    const TClients clients = Read("Acme\tWeb\tY\r\nACME\tDesign\tN\r\nBeta\tRun\tN\r\n");
    EXPECT_EQ(ClientNames(clients), QStringList({QStringLiteral("Acme"), QStringLiteral("Beta")}));
    const TClient* acme = clients.FindClient(QStringLiteral("acme"), true);
    ASSERT_NE(acme, nullptr);
    EXPECT_EQ(ProjectNames(*acme), QStringList({QStringLiteral("Web"), QStringLiteral("Design")}));
    EXPECT_TRUE(acme->Active);
    EXPECT_TRUE(acme->HasProject(QStringLiteral("WEB"), true));
    EXPECT_TRUE(acme->HasProject(QStringLiteral("design"), false));
    EXPECT_FALSE(acme->HasProject(QStringLiteral("design"), true));
    EXPECT_FALSE(acme->HasProject(QStringLiteral("Other"), false));
}

TEST_F(Clients, ClientWithOnlyInactiveProjectsIsInactiveButFound) {
    const TClients clients = Read("Acme\tWeb\tN\r\n");
    ASSERT_NE(clients.FindClient(QStringLiteral("acme"), false), nullptr);
    EXPECT_FALSE(clients.FindClient(QStringLiteral("acme"), false)->Active);
    EXPECT_EQ(clients.FindClient(QStringLiteral("acme"), true), nullptr);
    EXPECT_EQ(clients.FindClient(QStringLiteral("acm"), false), nullptr);
}

TEST_F(Clients, FindClientProjectNeedsTheProjectAndActiveEntriesWhenAsked) {
    const TClients clients = Read("Acme\tWeb\tY\nAcme\tOld\tN\nDormant\tX\tN\n");
    EXPECT_NE(clients.FindClientProject(QStringLiteral("ACME"), QStringLiteral("web"), true),
              nullptr);
    EXPECT_EQ(clients.FindClientProject(QStringLiteral("Acme"), QStringLiteral("Old"), true),
              nullptr);
    EXPECT_NE(clients.FindClientProject(QStringLiteral("Acme"), QStringLiteral("Old"), false),
              nullptr);
    EXPECT_EQ(clients.FindClientProject(QStringLiteral("Acme"), QStringLiteral("None"), false),
              nullptr);
    EXPECT_EQ(clients.FindClientProject(QStringLiteral("Dormant"), QStringLiteral("X"), true),
              nullptr);
    EXPECT_NE(clients.FindClientProject(QStringLiteral("dormant"), QStringLiteral("x"), false),
              nullptr);
}

TEST_F(Clients, ActiveFieldOnlyYesOrNoWordsMakeADifference) {
    const TClients clients = Read("Acme\tA\tmaybe\nAcme\tB\nAcme\tC\tno\nAcme\tD\tyes\n"
                                  "Acme\tE\tN \n");
    EXPECT_TRUE(Project(clients, QStringLiteral("Acme"), QStringLiteral("A")).Info.Active);
    EXPECT_TRUE(Project(clients, QStringLiteral("Acme"), QStringLiteral("B")).Info.Active);
    EXPECT_FALSE(Project(clients, QStringLiteral("Acme"), QStringLiteral("C")).Info.Active);
    EXPECT_TRUE(Project(clients, QStringLiteral("Acme"), QStringLiteral("D")).Info.Active);
    EXPECT_FALSE(Project(clients, QStringLiteral("Acme"), QStringLiteral("E")).Info.Active);
}

TEST_F(Clients, ReadingTheSameEntryAgainKeepsTheFirst) {
    TClients clients = Read("Acme\tWeb\tY\tHRAPRO60.00\r\n");
    const QString other = Path(QStringLiteral("other.txt"));
    WriteFile(other, "acme\tWEB\tN\tFPRUSR10.00\r\nAcme\tNew\tN\r\n");
    clients.LoadFrom(other);
    clients.LoadFrom(clients.FileName);
    ASSERT_EQ(clients.Items().size(), 1u);
    EXPECT_EQ(ProjectNames(clients.Items().front()),
              QStringList({QStringLiteral("Web"), QStringLiteral("New")}));
    const auto& web = Project(clients, QStringLiteral("Acme"), QStringLiteral("Web"));
    EXPECT_TRUE(web.Info.Active);
    EXPECT_EQ(web.Info.BillingText(), QStringLiteral("HRAPRO60.00"));
}

TEST_F(Clients, BlankAndNamelessLinesAddNothingWritable) {
    // The client reader trims the whole line first, so blanks around it do not matter, and a
    // line whose project is missing leaves a client without projects, which is not written.
    TClients clients = Read("\r\n   \r\n  Acme\tWeb\tY  \r\nLonely\r\nLonely2\t \tY\r\n");
    EXPECT_EQ(ClientNames(clients), QStringList({QStringLiteral("Acme"), QStringLiteral("Lonely"),
                                                 QStringLiteral("Lonely2")}));
    EXPECT_FALSE(clients.FindClient(QStringLiteral("Lonely"), false)->Active);
    EXPECT_TRUE(clients.FindClient(QStringLiteral("Lonely"), false)->Projects().empty());
    EXPECT_EQ(clients.FileText(), QStringLiteral("Acme\tWeb\tY\r\n"));
}

TEST_F(Clients, BillingFieldIsKeptAndWrittenBackUnchanged) {
    const QByteArray bytes = "Acme\tWeb\tY\tHRAPRO60.00\r\nAcme\tDesign\tN\r\n"
                             "Beta\tFixed\tY\tFPRCLI1250.50\r\n";
    TClients clients = Read(bytes);
    const auto& web = Project(clients, QStringLiteral("Acme"), QStringLiteral("Web"));
    ASSERT_TRUE(web.Info.BillingInfo.has_value());
    EXPECT_EQ(*web.Info.BillingInfo, TBillingInfo(bcHourlyRate, rsProject, TMoney::FromDouble(60)));
    EXPECT_FALSE(Project(clients, QStringLiteral("Acme"), QStringLiteral("Design"))
                     .Info.BillingInfo.has_value());
    const QString copy = Path(QStringLiteral("copy/ClientProject.txt"));
    MakeFolder(QStringLiteral("copy"));
    clients.SaveTo(copy);
    EXPECT_EQ(ReadFile(copy), bytes);
    clients.Save();
    EXPECT_EQ(ReadFile(clients.FileName), bytes);
}

TEST_F(Clients, UnreadableBillingLeavesTheProjectWithout) {
    const TClients clients =
        Read("Acme\tWeb\tY\tHRA\r\nAcme\tSite\tN\tXYZUSR10\r\nAcme\tFree\tY\tN\r\n");
    EXPECT_FALSE(Project(clients, QStringLiteral("Acme"), QStringLiteral("Web"))
                     .Info.BillingInfo.has_value());
    EXPECT_FALSE(Project(clients, QStringLiteral("Acme"), QStringLiteral("Site"))
                     .Info.BillingInfo.has_value());
    // "N" reads as "not chargeable", a billing code without a billing text.
    EXPECT_TRUE(Project(clients, QStringLiteral("Acme"), QStringLiteral("Free"))
                    .Info.BillingInfo.has_value());
    EXPECT_EQ(clients.FileText(),
              QStringLiteral("Acme\tWeb\tY\r\nAcme\tSite\tN\r\nAcme\tFree\tY\r\n"));
}

TEST_F(Clients, WindowsTextReadsAndWritesBackByteForByte) {
    const QByteArray bytes = "Caf\xe9 M\xfcller\tR\xe9sum\xe9\tY\r\n";
    const TClients clients = Read(bytes);
    EXPECT_EQ(clients.Items().front().Name, QStringLiteral("Café Müller"));
    clients.Save();
    EXPECT_EQ(ReadFile(clients.FileName), bytes);
}

TEST_F(Clients, NamesAreKeptOnOneLineSoTheFileStaysReadable) {
    TClients clients;
    clients.AddEntry(QStringLiteral(" Acme\tLtd "), QStringLiteral("Web\r\nsite"), true, {});
    clients.AddEntry(QStringLiteral("   "), QStringLiteral("Ignored"), true, {});
    EXPECT_EQ(clients.FileText(), QStringLiteral("Acme Ltd\tWeb site\tY\r\n"));
    EXPECT_TRUE(
        clients.FindClientProject(QStringLiteral("acme ltd"), QStringLiteral("web site"), true));
}

TEST_F(Clients, MergeIntoAddsWhatIsMissingInOrder) {
    TClients target;
    target.AddEntry(QStringLiteral("Beta"), QStringLiteral("Run"), false, {});
    TClients source;
    source.AddEntry(QStringLiteral("Acme"), QStringLiteral("Web"), true,
                    QStringLiteral("HRAUSR45.00"));
    source.AddEntry(QStringLiteral("BETA"), QStringLiteral("run"), true, {});
    source.AddEntry(QStringLiteral("Beta"), QStringLiteral("Walk"), true, {});
    source.MergeInto(target);
    source.MergeInto(target);
    EXPECT_EQ(target.FileText(), QStringLiteral("Beta\tRun\tN\r\nBeta\tWalk\tY\r\n"
                                                "Acme\tWeb\tY\tHRAUSR45.00\r\n"));
    EXPECT_TRUE(target.FindClient(QStringLiteral("beta"), true)->Active);
}

TEST_F(Clients, CreateCopyWithOrWithoutProjects) {
    TClient client(QStringLiteral("Acme"));
    client.AddProject(QStringLiteral("Old"), {}, false);
    EXPECT_FALSE(client.Active);
    client.AddProject(QStringLiteral("Web"), QStringLiteral("FOCUSR0.00"), true);
    EXPECT_TRUE(client.Active);

    const TClient bare = TClient::CreateCopy(client, false);
    EXPECT_EQ(bare.Name, QStringLiteral("Acme"));
    EXPECT_TRUE(bare.Active);
    EXPECT_TRUE(bare.Projects().empty());

    client.Active = false; // out of step: the copy with projects works it out again
    TClient full = TClient::CreateCopy(client, true);
    EXPECT_TRUE(full.Active);
    EXPECT_EQ(full.Projects(), client.Projects());
    full.AddProject(QStringLiteral("More"), {}, true);
    EXPECT_EQ(client.Projects().size(), 2u);
}

TEST_F(Clients, MissingFileIsAnEmptyListAndSavingCreatesIt) {
    const QString file = Path(QStringLiteral("Data/ClientProject.txt"));
    TClients clients(file);
    EXPECT_FALSE(clients.HasItems());
    EXPECT_EQ(clients.FileName, file);
    clients.AddEntry(QStringLiteral("Acme"), QStringLiteral("Web"), true, {});
    EXPECT_TRUE(clients.HasItems());
    MakeFolder(QStringLiteral("Data"));
    clients.Save();
    clients.Clear();
    EXPECT_FALSE(clients.HasItems());
    clients.Reload();
    EXPECT_EQ(clients.FileText(), QStringLiteral("Acme\tWeb\tY\r\n"));
}

TEST_F(Clients, FailuresRaiseAndLeaveTheListAsItWas) {
    TClients clients = Read("Acme\tWeb\tY\r\n");
    clients.AddEntry(QStringLiteral("Beta"), QStringLiteral("Run"), true, {});
    EXPECT_THROW(clients.SaveTo(Path(QStringLiteral("missing/ClientProject.txt"))), EInOutError);
    EXPECT_THROW(TClients().Save(), EInOutError);

    // The file turns into a folder: reading fails and the list in memory stays.
    QFile::remove(clients.FileName);
    MakeFolder(QStringLiteral("ClientProject.txt"));
    EXPECT_THROW(clients.Reload(), EInOutError);
    EXPECT_EQ(clients.Items().size(), 2u);
}
