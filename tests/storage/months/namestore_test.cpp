#include "base/parallelfor.h"
#include "storage/months/namestore.h"

#include <vector>

#include <gtest/gtest.h>

TEST(NameStore, HandsOutOneStoredCopyPerNameThatOutlivesTheText) {
    TNameStore& store = TNameStore::Instance();
    QString name = QStringLiteral("Müller & Söhne GmbH ") + QString::number(42);
    const QString first = store.Name(name);
    const QString second = store.Name(QStringView(name));
    name.fill(QLatin1Char('x')); // the caller's text may change or go
    EXPECT_EQ(first, QStringLiteral("Müller & Söhne GmbH 42"));
    EXPECT_EQ(first.constData(), second.constData());
    // Copies are ordinary strings to their users: changing one leaves the store alone.
    QString copy = second;
    copy += QStringLiteral(" Ltd");
    EXPECT_EQ(store.Name(QStringLiteral("Müller & Söhne GmbH 42")), first);
    EXPECT_EQ(copy, QStringLiteral("Müller & Söhne GmbH 42 Ltd"));
    EXPECT_TRUE(store.Name(QString()).isNull());
}

TEST(NameStore, LongTextsAreNotStored) {
    TNameStore& store = TNameStore::Instance();
    const qsizetype before = store.Size();
    const QString longText(TNameStore::LongestName + 1, QLatin1Char('r'));
    EXPECT_EQ(store.Name(longText), longText);
    EXPECT_EQ(store.Size(), before);
}

TEST(NameStore, ThreadsAskingForTheSameNamesGetTheSameCopies) {
    std::vector<QString> names(400);
    ParallelFor(names.size(), [&](std::size_t i) {
        names[i] = TNameStore::Instance().Name(QStringLiteral("shared name %1").arg(i % 7));
    });
    for (std::size_t i = 7; i < names.size(); ++i) {
        EXPECT_EQ(names[i], QStringLiteral("shared name %1").arg(i % 7));
        EXPECT_EQ(names[i].constData(), names[i % 7].constData());
    }
}

TEST(NameStore, AStoredNamesNumberFollowsFromItsCopy) {
    TNameStore& store = TNameStore::Instance();
    const QString first = store.Name(QStringLiteral("numbered name one"));
    const QString second = store.Name(QStringLiteral("numbered name two"));
    const std::uint32_t number = store.NumberOf(first);
    EXPECT_GE(number, 1u);
    EXPECT_LE(number, TNameStore::LargestNumber);
    EXPECT_EQ(store.NumberOf(QString(first)), number); // a copy refers to the same name
    EXPECT_EQ(store.NumberOf(store.Name(QStringLiteral("numbered name one"))), number);
    EXPECT_NE(store.NumberOf(second), number);
    EXPECT_LE(store.NumberOf(second), TNameStore::LargestNumber);
    // Equal texts that are not the store's copy have none; the empty text has 0.
    EXPECT_EQ(store.NumberOf(QStringLiteral("numbered name one")), TNameStore::NotStored);
    QString changed = first;
    changed[0] = QLatin1Char('N'); // a changed copy is a string of its own
    EXPECT_EQ(store.NumberOf(changed), TNameStore::NotStored);
    EXPECT_EQ(store.NumberOf(QString()), 0u);
    const QString longText(TNameStore::LongestName + 1, QLatin1Char('q'));
    EXPECT_EQ(store.NumberOf(store.Name(longText)), TNameStore::NotStored);
}
