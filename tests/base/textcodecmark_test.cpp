#include "base/textcodec.h"
#include "storage/lists/clients.h"
#include "testsupport.h"

#include <gtest/gtest.h>

// A text that starts with U+FEFF (zero-width no-break space) is not a byte-order mark to lose:
// written and read again, it is the same text.
class TextCodecMark : public TTempFolderTest {};

TEST_F(TextCodecMark, ATextStartingWithTheMarkCharacterReadsBackWhole) {
    const QString text = QString(QChar(0xFEFF)) + QStringLiteral("Acme\tRoof\tY\r\n");
    EXPECT_EQ(DecodeDataText(EncodeDataText(text)), text);
    // Texts without it are written as before: no mark.
    EXPECT_EQ(EncodeDataText(QStringLiteral("Zoë")), QByteArray("Zo\xEB"));
    EXPECT_EQ(EncodeDataText(QStringLiteral("日本")), QStringLiteral("日本").toUtf8());
}

TEST_F(TextCodecMark, AListWhoseFirstClientIsTheMarkKeepsItsName) {
    const QString file = Path(QStringLiteral("ClientProject.txt"));
    TClients clients;
    clients.AddEntry(QString(QChar(0xFEFF)), QStringLiteral("Y"), true, QString());
    clients.SaveTo(file);
    const TClients again(file);
    ASSERT_EQ(again.Items().size(), 1u);
    EXPECT_EQ(again.Items().front().Name, QString(QChar(0xFEFF)));
}
