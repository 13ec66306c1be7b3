#include "storage/lists/categories.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {
QStringList CategoryNames(const TCategories& categories) {
    QStringList names;
    for (const TCategory& category : categories.Items())
        names.append(category.Name);
    return names;
}
} // namespace

class Categories : public TTempFolderTest {
protected:
    TCategories Read(const QByteArray& bytes) {
        const QString file = Path(QStringLiteral("CategoryActivity.txt"));
        WriteFile(file, bytes);
        return TCategories(file);
    }
};

TEST_F(Categories, ReadLikeClientsWithoutBilling) {
    const TCategories categories =
        Read("Design\tSketch\tY\nDESIGN\tReview\tN\tHRAPRO60.00\nAdmin\tMail\tN\n");
    EXPECT_EQ(CategoryNames(categories),
              QStringList({QStringLiteral("Design"), QStringLiteral("Admin")}));
    EXPECT_TRUE(categories.FindCategory(QStringLiteral("design"), true)->Active);
    EXPECT_EQ(categories.FindCategory(QStringLiteral("admin"), true), nullptr);
    EXPECT_NE(
        categories.FindCategoryActivity(QStringLiteral("Design"), QStringLiteral("review"), false),
        nullptr);
    EXPECT_EQ(
        categories.FindCategoryActivity(QStringLiteral("Design"), QStringLiteral("review"), true),
        nullptr);
    // A category line never has a fourth field, also after reading one.
    EXPECT_EQ(categories.FileText(), QStringLiteral("Design\tSketch\tY\r\nDesign\tReview\tN\r\n"
                                                    "Admin\tMail\tN\r\n"));
}

TEST_F(Categories, LinesAreSplitAsReadUnlikeClientLines) {
    // A leading blank makes the first field empty here, while the client reader trims it away
    // and takes the next field as the name.
    const QByteArray bytes = " \tDesign\tY\r\n   \r\nAdmin\tMail\r\n";
    const TCategories categories = Read(bytes);
    EXPECT_EQ(CategoryNames(categories), QStringList({QStringLiteral("Admin")}));
    EXPECT_TRUE(
        categories.FindCategoryActivity(QStringLiteral("Admin"), QStringLiteral("Mail"), true));
}

TEST_F(Categories, MergeReloadAndSave) {
    TCategories first = Read("Design\tSketch\tY\r\n");
    TCategories merged;
    first.MergeInto(merged);
    TCategories second;
    second.AddEntry(QStringLiteral("design"), QStringLiteral("SKETCH"), false);
    second.AddEntry(QStringLiteral("Admin"), QStringLiteral("Mail"), true);
    second.MergeInto(merged);
    EXPECT_EQ(merged.FileText(), QStringLiteral("Design\tSketch\tY\r\nAdmin\tMail\tY\r\n"));

    const TCategory copy = TCategory::CreateCopy(merged.Items().front(), false);
    EXPECT_TRUE(copy.Activities().empty());
    EXPECT_TRUE(copy.Active);

    merged.SaveTo(first.FileName);
    first.Reload();
    EXPECT_EQ(first.FileText(), merged.FileText());
}
