// An export format file ("ef-NAME.txt") read as the export formats are listed and loaded.
// The reader gives the format or an error text; the file stays as it was; a format that was
// read, written and read again is the same format, and writing it again gives the same text.

#include "fuzzsupport.h"

#include "export/exportformat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzing();
    const QByteArrayView bytes = InputBytes(data, size);
    const QString path = WriteFuzzFile(QStringLiteral("ef-fuzz.txt"), bytes);
    TExportFormat format;
    const QString error = format.ReadFromFile(path);
    FUZZ_CHECK(FuzzFileBytes(path) == bytes, QStringLiteral("the format file was changed"));
    if (!error.isEmpty())
        return 0;
    const QString text = format.ToText();
    TExportFormat again;
    const QString errorAgain = again.ReadFromText(text, path);
    FUZZ_CHECK(errorAgain.isEmpty(), QStringLiteral("a written format does not read: ") + errorAgain);
    FUZZ_CHECK(again.ToText() == text, QStringLiteral("the written text changed"));
    FUZZ_CHECK(again.ItemCount() == format.ItemCount(), QStringLiteral("column count differs"));
    FUZZ_CHECK(again.GroupOrder() == format.GroupOrder(), QStringLiteral("group order differs"));
    const QString copyPath = FuzzFolder() + QStringLiteral("copy/ef-fuzz.txt");
    WriteFuzzFile(QStringLiteral("copy/ef-fuzz.txt"), {});
    FUZZ_CHECK(format.WriteToFile(copyPath).isEmpty(), QStringLiteral("format not written"));
    TExportFormat fromFile;
    FUZZ_CHECK(fromFile.ReadFromFile(copyPath).isEmpty() && fromFile.ToText() == text,
               QStringLiteral("a written format file reads differently"));
    return 0;
}
