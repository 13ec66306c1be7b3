#include "base/applocale.h"
#include "base/textutils.h"

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

namespace {
// How remarks were always read: tabs first, then line breaks, each from left to right.
QString TwoStepDecode(QString text) {
    text.replace(QLatin1String("%%~"), QLatin1String("\t"));
    text.replace(QLatin1String("%%"), QLatin1String("\r\n"));
    return text;
}

// Texts of n characters drawn (by a fixed sequence) from alphabet.
QString MixedText(unsigned& state, QStringView alphabet, int n) {
    QString text;
    for (int i = 0; i < n; ++i) {
        state = state * 1103515245U + 12345U;
        text += alphabet[static_cast<qsizetype>((state >> 16) % alphabet.size())];
    }
    return text;
}
} // namespace

TEST(LineBreaks, EveryTextSurvivesEncodingEvenWithPercentSigns) {
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks(QStringLiteral("100%%\r\n"))),
              QStringLiteral("100%%\r\n"));
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks(QStringLiteral("50%\r\nnext"))),
              QStringLiteral("50%\r\nnext"));
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks(QStringLiteral("a\r\n~b"))),
              QStringLiteral("a\r\n~b"));
    unsigned state = 7;
    for (int i = 0; i < 5000; ++i) {
        const QString text = NormaliseLineBreaks(MixedText(state, u"%~^`a\t\r\n", 1 + i % 12));
        ASSERT_EQ(DecodeLineBreaks(EncodeLineBreaks(text)), text) << text.toStdString();
    }
}

TEST(LineBreaks, PlainTextIsEncodedAsItAlwaysWas) {
    EXPECT_EQ(EncodeLineBreaks(QStringLiteral("50% done\r\nnext\tcolumn")),
              QStringLiteral("50% done%%next%%~column"));
    EXPECT_EQ(EncodeLineBreaks(QStringLiteral("a%%b")), QStringLiteral("a%%^%b"));
    EXPECT_EQ(EncodeLineBreaks(QStringLiteral("a\r\n~b")), QStringLiteral("a%%`~b"));
}

TEST(LineBreaks, FilesWithoutTheNewMarksReadAsBefore) {
    EXPECT_EQ(DecodeLineBreaks(QStringLiteral("%%%~")), QStringLiteral("%\t"));
    EXPECT_EQ(DecodeLineBreaks(QStringLiteral("%%^x%%`y")), QStringLiteral("%x\r\ny"));
    unsigned state = 11;
    for (int i = 0; i < 5000; ++i) {
        const QString text = MixedText(state, u"%%~a\t", 1 + i % 14);
        ASSERT_EQ(DecodeLineBreaks(text), TwoStepDecode(text)) << text.toStdString();
    }
}

TEST(Fields, TokenViewsSplitAsNextTokenDoes) {
    unsigned state = 3;
    for (int i = 0; i < 2000; ++i) {
        QString text = MixedText(state, u"ab \t", i % 10);
        QStringView view(text);
        QString copy = text;
        while (!copy.isEmpty() || !view.isEmpty()) {
            const QString expected = NextToken(copy, u"\t");
            ASSERT_EQ(NextTokenView(view, QLatin1Char('\t')), expected) << text.toStdString();
            ASSERT_EQ(view, copy);
        }
    }
}

TEST(Fields, TrimBlanksRemovesControlCharactersButNotOtherSpaces) {
    EXPECT_EQ(TrimBlanks(QStringLiteral("\t\x01 a b\r\n ")), QStringLiteral("a b"));
    EXPECT_EQ(TrimBlanks(QStringLiteral("\u00A0a")), QStringLiteral("\u00A0a"));
    EXPECT_TRUE(TrimBlanks(QStringLiteral(" \t ")).isEmpty());
    const QString plain = QString::fromLatin1("plain");
    EXPECT_TRUE(TrimBlanks(plain).isSharedWith(plain));
}
