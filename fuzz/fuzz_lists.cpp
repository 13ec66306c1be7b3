// The client/project and the category/activity list files, read as the program reads the
// administrator's and the in-use lists. A list file has no lines that fail (an unknown flag
// reads as active, a bad billing text as none), so both readers must take any bytes; the file
// stays as it was; a list that was read, written and read again holds the same entries (but
// for entries without sub-entries, which the file keeps as their sub-entries' lines and so
// cannot keep, and billing of codes 0 and 1), and writing it again gives the same text.

#include "fuzzsupport.h"

#include "storage/lists/categories.h"
#include "storage/lists/clients.h"

#include <type_traits>
#include <vector>

namespace {
// Every entry with what the file does not show directly: flags and billing objects. Billing
// of codes 0 and 1 has no compact form (the file keeps only the active flag), so it is left
// out: such an object does not survive a write.
template <typename TEntries> QString Described(const TEntries& entries) {
    QString text;
    for (const auto& entry : entries) {
        text += QStringLiteral("[%1 active %2:").arg(entry.Name).arg(entry.Active);
        for (const auto& sub : entry.SubEntries()) {
            text += QStringLiteral(" (%1 %2").arg(sub.Name).arg(sub.Info.Active);
            if constexpr (requires { sub.Info.BillingInfo; })
                if (sub.Info.BillingInfo && sub.Info.BillingInfo->Code > 1)
                    text += QStringLiteral(" code %1 source %2 rate %3")
                                .arg(sub.Info.BillingInfo->Code)
                                .arg(sub.Info.BillingInfo->Source)
                                .arg(sub.Info.BillingInfo->Rate.Units());
            text += QLatin1Char(')');
        }
        text += QStringLiteral("] ");
    }
    return text;
}

template <typename TList> auto WrittenEntries(const TList& list) {
    std::vector<typename std::decay_t<decltype(list.Items())>::value_type> entries;
    for (const auto& entry : list.Items())
        if (!entry.SubEntries().empty())
            entries.push_back(entry);
    return entries;
}

// Names are unique without regard to letter case, among the entries and within each entry
// (the finding index and the name comparison must agree). Checked on small lists only.
template <typename TList> void CheckUniqueNames(const TList& list) {
    const auto& items = list.Items();
    if (items.size() > 64)
        return;
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (std::size_t j = i + 1; j < items.size(); ++j)
            FUZZ_CHECK(!SameListName(items[i].Name, items[j].Name), items[i].Name);
        const auto& subs = items[i].SubEntries();
        for (std::size_t a = 0; a < subs.size() && subs.size() <= 64; ++a)
            for (std::size_t b = a + 1; b < subs.size(); ++b)
                FUZZ_CHECK(!SameListName(subs[a].Name, subs[b].Name), subs[a].Name);
    }
}

template <typename TList>
void CheckRoundTrip(const QString& name, QByteArrayView bytes) {
    const QString path = WriteFuzzFile(QStringLiteral("read/") + name, bytes);
    const TList list(path);
    CheckUniqueNames(list);
    FUZZ_CHECK(FuzzFileBytes(path) == bytes, QStringLiteral("the list file was changed: ") + name);
    const QString copyPath = WriteFuzzFile(QStringLiteral("copy/") + name, {});
    list.SaveTo(copyPath);
    const TList again(copyPath);
    const QString expected = Described(WrittenEntries(list));
    const QString read = Described(again.Items());
    FUZZ_CHECK(read == expected,
               QStringLiteral("entries differ after writing and reading again: %1\n%2\n%3")
                   .arg(name, ShownText(expected), ShownText(read)));
    FUZZ_CHECK(again.FileText() == list.FileText(),
               QStringLiteral("the written text changed: ") + name);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzing();
    const QByteArrayView bytes = InputBytes(data, size);
    CheckRoundTrip<TClients>(QStringLiteral("ClientProject.txt"), bytes);
    CheckRoundTrip<TCategories>(QStringLiteral("CategoryActivity.txt"), bytes);
    return 0;
}
