#include "reporting/asciifold.h"
#include "reporting/textids.h"

#include <array>

#include <gtest/gtest.h>

TEST(TextIds, FoldingTakesOnlyAToZ) {
    EXPECT_TRUE(SameAsciiFolded(u"Acme Ltd", u"ACME ltd"));
    EXPECT_FALSE(SameAsciiFolded(u"Müller", u"MÜLLER"));
    EXPECT_FALSE(SameAsciiFolded(u"[", u"{")); // 0x5B and 0x7B differ by the same bit as A and a
    EXPECT_FALSE(SameAsciiFolded(u"Acme", u"Acme "));
    EXPECT_EQ(AsciiFoldedHash(u"Long Client Name", 3), AsciiFoldedHash(u"LONG client NAME", 3));

    for (const bool remembering : {false, true}) {
        TTextIds folded(true);
        folded.SetMemoizing(remembering);
        const QString acme = QStringLiteral("Acme");
        const int id = folded.Id(acme);
        EXPECT_EQ(folded.Id(QStringLiteral("ACME")), id);
        EXPECT_EQ(folded.Id(acme), id);
        EXPECT_NE(folded.Id(QStringLiteral("Müller")), folded.Id(QStringLiteral("MÜLLER")));
        EXPECT_EQ(folded.Id(QString()), TTextIds::EmptyTextId);
        EXPECT_NE(id, TTextIds::EmptyTextId);

        TTextIds exact(false);
        exact.SetMemoizing(remembering);
        EXPECT_NE(exact.Id(QStringLiteral("HRA")), exact.Id(QStringLiteral("hra")));
        EXPECT_EQ(exact.Id(QStringLiteral("12.50")), exact.Id(QStringLiteral("12.50")));
    }
}

TEST(TextIds, ManyTextsKeepTheirNumbers) {
    // More texts than the memo holds before it is emptied, asked for again and in capitals.
    // While remembering, every text asked for has to stay alive: all are kept in lists.
    TTextIds ids(true);
    ids.SetMemoizing(true);
    QStringList texts;
    QStringList capitals;
    for (int i = 0; i < 20000; ++i) {
        texts.append(QStringLiteral("Name %1").arg(i));
        capitals.append(texts.back().toUpper());
    }
    std::vector<int> first;
    for (const QString& text : texts)
        first.push_back(ids.Id(text));
    for (int i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(ids.Id(texts[i]), first[static_cast<std::size_t>(i)]);
        ASSERT_EQ(ids.Id(capitals[i]), first[static_cast<std::size_t>(i)]);
    }
    EXPECT_NE(first[0], first[1]);
}

TEST(TextIds, TheRecentStringCountsOnlyWhileRemembered) {
    // A string whose characters change in place, as a reused string does once the caller has
    // let it go: the recent string must not outlive what it was promised for.
    std::array<char16_t, 3> chars{u'H', u'R', u'A'};
    const QString text = QString::fromRawData(reinterpret_cast<const QChar*>(chars.data()), 3);
    TTextIds ids(false);
    const int hra = ids.Id(QStringLiteral("HRA"));
    const int fpr = ids.Id(QStringLiteral("FPR"));
    const int con = ids.Id(QStringLiteral("CON"));
    TTextIds::TLastLookup recent;

    EXPECT_EQ(ids.Id(text, recent), hra); // not remembering: read every time
    chars = {u'F', u'P', u'R'};
    EXPECT_EQ(ids.Id(text, recent), fpr);

    ids.SetMemoizing(true);
    EXPECT_EQ(ids.Id(text, recent), fpr);
    EXPECT_EQ(ids.Id(text, recent), fpr);
    ids.ClearMemo();
    chars = {u'C', u'O', u'N'};
    EXPECT_EQ(ids.Id(text, recent), con);
    ids.SetMemoizing(false);
    chars = {u'H', u'R', u'A'};
    EXPECT_EQ(ids.Id(text, recent), hra);
    EXPECT_EQ(ids.Id(QStringLiteral("FPR"), recent), fpr);
}
