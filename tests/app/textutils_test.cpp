#include "app/applocale.h"
#include "app/textutils.h"

#include <gtest/gtest.h>

namespace {
QStringList Tokens(QString text, QStringView separators, int count) {
    QStringList tokens;
    for (int i = 0; i < count; ++i)
        tokens.append(NextToken(text, separators));
    return tokens;
}
} // namespace

TEST(NextToken, ConsecutiveSeparatorsCountAsOne) {
    EXPECT_EQ(Tokens(QStringLiteral("a\t\tb"), u"\t", 3),
              QStringList({QStringLiteral("a"), QStringLiteral("b"), QString()}));
}

TEST(NextToken, TrailingSeparatorStaysAsRest) {
    QString text = QStringLiteral("a\t");
    EXPECT_EQ(NextToken(text, u"\t"), QStringLiteral("a"));
    EXPECT_EQ(text, QStringLiteral("\t"));
    EXPECT_EQ(NextToken(text, u"\t"), QString());
    EXPECT_TRUE(text.isEmpty());
}

TEST(NextToken, LeadingSeparatorsAndSeveralSeparatorKinds) {
    QString text = QStringLiteral("\t\tx,y\tz");
    EXPECT_EQ(NextToken(text, u"\t,"), QStringLiteral("x"));
    EXPECT_EQ(text, QStringLiteral("y\tz"));
    EXPECT_EQ(NextToken(text, u"\t,"), QStringLiteral("y"));
    EXPECT_EQ(NextToken(text, u"\t,"), QStringLiteral("z"));
    EXPECT_TRUE(text.isEmpty());
}

TEST(YesNo, LettersWordsAndParsing) {
    EXPECT_EQ(YesNoLetter(true), QStringLiteral("Y"));
    EXPECT_EQ(YesNoLetter(false), QStringLiteral("N"));
    EXPECT_EQ(YesNoWord(true), QStringLiteral("Yes"));
    EXPECT_EQ(YesNoWord(false), QStringLiteral("No"));
    EXPECT_TRUE(ParseYesNo(QStringLiteral("yes"), false));
    EXPECT_TRUE(ParseYesNo(QStringLiteral("y"), false));
    EXPECT_FALSE(ParseYesNo(QStringLiteral("No"), true));
    EXPECT_FALSE(ParseYesNo(QStringLiteral("n"), true));
    EXPECT_TRUE(ParseYesNo(QString(), true));
    EXPECT_FALSE(ParseYesNo(QStringLiteral("maybe"), false));
    EXPECT_TRUE(ParseYesNo(QStringLiteral(" Y"), true)); // not trimmed: falls to the default
    EXPECT_FALSE(ParseYesNo(QStringLiteral(" Y"), false));
}

TEST(LineBreaks, EncodeNormalisesEveryBreakKind) {
    EXPECT_EQ(EncodeLineBreaks(QStringLiteral("a\r\nb\nc\rd\te")),
              QStringLiteral("a%%b%%c%%d%%~e"));
}

TEST(LineBreaks, DecodeTurnsTabsBackBeforeBreaks) {
    EXPECT_EQ(DecodeLineBreaks(QStringLiteral("a%%b%%~c")), QStringLiteral("a\r\nb\tc"));
    const QString remark = QStringLiteral("first\r\nsecond\twith tab\r\n\r\nlast");
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks(remark)), remark);
}

TEST(LineBreaks, SingleLineReplacesBreaksAndTabsWithOneSpace) {
    EXPECT_EQ(SingleLine(QStringLiteral("a\r\nb\nc\rd\te")), QStringLiteral("a b c d e"));
    EXPECT_EQ(SingleLine(QStringLiteral("a\n\nb")), QStringLiteral("a  b"));
}

TEST(Numbers, IntegersParseWithoutRaising) {
    int value = -1;
    EXPECT_TRUE(TryInteger(QStringLiteral(" 42 "), value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(TryInteger(QStringLiteral("-7"), value));
    EXPECT_EQ(value, -7);
    EXPECT_FALSE(TryInteger(QStringLiteral("4x"), value));
    EXPECT_EQ(value, -7); // unchanged on failure
    EXPECT_FALSE(IsInteger(QString()));
    EXPECT_FALSE(IsInteger(QStringLiteral("99999999999")));
    EXPECT_TRUE(IsInteger(QStringLiteral("+5")));
}

TEST(Numbers, RealsFollowTheProgramLocale) {
    double value = 0;
    SetAppLocale(QLocale::c());
    EXPECT_TRUE(TryReal(QStringLiteral("7.5"), value));
    EXPECT_DOUBLE_EQ(value, 7.5);
    EXPECT_FALSE(TryReal(QStringLiteral("1,234.5"), value));
    SetAppLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(TryReal(QStringLiteral("7,25"), value));
    EXPECT_DOUBLE_EQ(value, 7.25);
    EXPECT_FALSE(TryReal(QStringLiteral("abc"), value));
    SetAppLocale(QLocale::c());
}

TEST(Misc, ClampOrderDatesAddUnique) {
    EXPECT_EQ(Clamp(5, 1, 3), 3);
    EXPECT_EQ(Clamp(-5, 1, 3), 1);
    EXPECT_EQ(Clamp(2, 1, 3), 2);

    QDateTime a(QDate(2024, 3, 2), QTime(10, 0));
    QDateTime b(QDate(2024, 3, 1), QTime(10, 0));
    OrderDates(a, b);
    EXPECT_EQ(a.date(), QDate(2024, 3, 1));
    EXPECT_EQ(b.date(), QDate(2024, 3, 2));
    OrderDates(a, b);
    EXPECT_EQ(a.date(), QDate(2024, 3, 1));

    QStringList list{QStringLiteral("Alice")};
    AddUnique(list, QStringLiteral("ALICE"));
    AddUnique(list, QStringLiteral("Bob"));
    EXPECT_EQ(list, QStringList({QStringLiteral("Alice"), QStringLiteral("Bob")}));
}
