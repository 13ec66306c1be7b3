#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "testsupport.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

// Reading a list file takes time in proportion to its lines: names are found through an index
// of their case-folded forms, not by comparing each new name with every earlier one.
class ListReadingScale : public TTempFolderTest {
protected:
    QString Write(const QString& name, const QString& text) {
        const QString file = Path(name);
        WriteFile(file, text.toUtf8());
        return file;
    }
};

TEST_F(ListReadingScale, ManyClientsAndProjectsReadInLinearTime) {
    constexpr int Count = 20000;
    QString text;
    for (int i = 0; i < Count; ++i)
        text += QStringLiteral("Client%1\tShared\tY\r\nBig\tProject%1\tN\r\n").arg(i);
    const QString file = Write(QStringLiteral("ClientProject.txt"), text);
    QElapsedTimer timer;
    timer.start();
    const TClients clients(file);
    // Quadratic finding took well over a minute here; linear reading takes milliseconds.
    EXPECT_LT(timer.elapsed(), 2000);
    ASSERT_EQ(clients.Items().size(), static_cast<std::size_t>(Count + 1));
    const TClient* big = clients.FindClient(QStringLiteral("BIG"), false);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->Projects().size(), static_cast<std::size_t>(Count));
    EXPECT_FALSE(big->Active);
}

TEST_F(ListReadingScale, NamesDifferingInLetterCaseStillMerge) {
    const TClients clients(Write(QStringLiteral("ClientProject.txt"),
                                 QStringLiteral("Café Zoë\tRoof\tN\r\nCAFÉ ZOË\tROOF\tY\r\n"
                                                "café zoë\tWalls\tY\r\nStraße\tA\tY\r\n")));
    ASSERT_EQ(clients.Items().size(), 2u);
    const TClient& cafe = clients.Items().front();
    ASSERT_EQ(cafe.Projects().size(), 2u);
    // The first spelling and flag stay; the later line of the same project adds nothing.
    EXPECT_EQ(cafe.Projects().front().Name, QStringLiteral("Roof"));
    EXPECT_FALSE(cafe.Projects().front().Info.Active);
    EXPECT_TRUE(cafe.Active);
}

TEST_F(ListReadingScale, CopiesFindTheirSubEntriesByName) {
    const TCategories categories(Write(QStringLiteral("CategoryActivity.txt"),
                                       QStringLiteral("Design\tSketch\tN\r\n")));
    // A copy takes the activities whole; adding one of their names again adds nothing.
    TCategory copy = TCategory::CreateCopy(categories.Items().front(), true);
    copy.AddActivity(QStringLiteral("SKETCH"), true);
    copy.AddActivity(QStringLiteral("Review"), true);
    ASSERT_EQ(copy.Activities().size(), 2u);
    EXPECT_FALSE(copy.Activities().front().Info.Active);
    EXPECT_TRUE(copy.Active);
    EXPECT_EQ(TCategory::CreateCopy(categories.Items().front(), true), categories.Items().front());
}

TEST_F(ListReadingScale, ClientWithoutProjectsIsNotWrittenBack) {
    // A client line without a project makes an inactive client without projects in memory;
    // the file keeps clients as their projects' lines, so writing leaves it out.
    const TClients clients(Write(QStringLiteral("ClientProject.txt"),
                                 QStringLiteral("Acme\tRoof\tY\r\n  S\r\n")));
    ASSERT_EQ(clients.Items().size(), 2u);
    EXPECT_FALSE(clients.Items().back().Active);
    const QString copy = Path(QStringLiteral("copy.txt"));
    clients.SaveTo(copy);
    const TClients again(copy);
    ASSERT_EQ(again.Items().size(), 1u);
    EXPECT_EQ(again.Items().front(), clients.Items().front());
}
