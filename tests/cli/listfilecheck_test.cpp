#include "base/datalocations.h"
#include "cli/listfilecheck.h"
#include "storage/lists/listlines.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {
// "file name:line: message" of every problem, the file name without its folder.
QStringList ProblemTexts(const std::vector<TCheckProblem>& problems) {
    QStringList texts;
    for (const TCheckProblem& problem : problems)
        texts.append(QStringLiteral("%1:%2: %3")
                         .arg(problem.FileName.section(QLatin1Char('/'), -1))
                         .arg(problem.Line)
                         .arg(problem.Message));
    return texts;
}
} // namespace

class ListFileCheck : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        LocalData = MakeFolder(QStringLiteral("local/Data"));
    }
    QString LocalData;
};

TEST_F(ListFileCheck, ReportsEveryLineTheReaderDropsOrOnlyPartlyUses) {
    WriteFile(LocalData + ClientListFileName, "Acme\tWeb\tY\tHRAPRO60.00\r\n"
                                              "\r\n"
                                              "Acme\r\n"
                                              "ACME\tweb\tN\r\n"
                                              "Acme\tSite\tmaybe\r\n"
                                              "Acme\tShop\tY\tHRA\r\n"
                                              "Beta\tRun\tN\tFOCUSR0.00\textra\r\n");
    WriteFile(LocalData + CategoryListFileName, "Design\tSketch\tY\r\n"
                                                " \tReview\tY\r\n"
                                                "Design\tMail\tN\tHRAPRO1.00\r\n");
    std::vector<TCheckProblem> problems;
    int files = 0;
    CheckListFiles(problems, files);
    EXPECT_EQ(files, 2);
    EXPECT_EQ(ProblemTexts(problems),
              QStringList({
                  QStringLiteral("ClientProject.txt:3: no project name; the line is ignored"),
                  QStringLiteral("ClientProject.txt:4: project \"web\" of client \"ACME\" is "
                                 "listed on line 1 already; the line is ignored"),
                  QStringLiteral("ClientProject.txt:5: active flag \"maybe\" is not Y or N; read "
                                 "as active"),
                  QStringLiteral("ClientProject.txt:6: billing text \"HRA\" cannot be read; the "
                                 "project has no billing"),
                  QStringLiteral("ClientProject.txt:7: more fields than the list has; the rest "
                                 "is ignored"),
                  QStringLiteral("CategoryActivity.txt:2: no category name; the line is ignored"),
                  QStringLiteral("CategoryActivity.txt:3: more fields than the list has; the "
                                 "rest is ignored"),
              }));
    EXPECT_EQ(problems.front().FileName, LocalData + ClientListFileName);
}

TEST_F(ListFileCheck, ReadsSharedListsTheirLocalCopiesAndTheInUseLists) {
    Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
    const QString serverData = MakeFolder(QStringLiteral("server/Data"));
    WriteFile(serverData + ClientListFileName, "Acme\t \r\n");
    WriteFile(serverData + CategoryListFileName, "Design\tSketch\tY\r\n");
    WriteFile(LocalData + ClientListFileName, "Acme\tWeb\tY\r\n");
    WriteFile(LocalData + InUseClientListFileName, "Acme\tWeb\tY\r\nAcme\tWEB\tY\r\n");
    WriteFile(LocalData + InUseCategoryListFileName, "Design\r\n");
    std::vector<TCheckProblem> problems;
    int files = 0;
    CheckListFiles(problems, files);
    EXPECT_EQ(files, 5);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].FileName, serverData + ClientListFileName);
    EXPECT_EQ(problems[0].Message, QStringLiteral("no project name; the line is ignored"));
    EXPECT_EQ(problems[1].FileName, LocalData + InUseClientListFileName);
    EXPECT_EQ(problems[1].Line, 2);
    EXPECT_EQ(problems[2].FileName, LocalData + InUseCategoryListFileName);
}

TEST_F(ListFileCheck, MissingServerFolderChecksLocalFilesOnceAndChangesNothing) {
    Locations().ServerFolder = Path(QStringLiteral("gone/"));
    WriteFile(LocalData + ClientListFileName, "Acme\tWeb\tY\r\n");
    std::vector<TCheckProblem> problems;
    int files = 0;
    CheckListFiles(problems, files);
    EXPECT_EQ(files, 1);
    EXPECT_TRUE(problems.empty());
    EXPECT_FALSE(Locations().UseLocalData);
}

TEST_F(ListFileCheck, UnreadableFileIsOneProblemWithoutLine) {
    MakeFolder(QStringLiteral("local/Data/") + ClientListFileName);
    std::vector<TCheckProblem> problems;
    int files = 0;
    CheckListFile(LocalData + ClientListFileName, true, problems, files);
    EXPECT_EQ(files, 1);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems.front().Line, 0);
    EXPECT_FALSE(problems.front().Message.isEmpty());
}

TEST_F(ListFileCheck, NamesWithControlCharactersAreReported) {
    WriteFile(LocalData + ClientListFileName, "Acme\tWeb\tY\r\n"
                                              "Ac\x01me\tShop\tY\r\n"
                                              "Beta\tR\x0bun\tN\r\n");
    std::vector<TCheckProblem> problems;
    int files = 0;
    CheckListFiles(problems, files);
    EXPECT_EQ(ProblemTexts(problems),
              QStringList({
                  QStringLiteral("ClientProject.txt:2: client name \"Ac\x01me\" holds a control "
                                 "character"),
                  QStringLiteral("ClientProject.txt:3: project name \"R\x0bun\" holds a control "
                                 "character"),
              }));
}
