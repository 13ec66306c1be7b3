#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_set>

#include <QString>
#include <QStringView>

// The names read from data files (clients, projects, categories, activities, users), interned:
// each kept once for the life of the process. A name handed out refers to the store's memory,
// which is never freed nor moved, so copying and dropping it touches no reference count, however
// many blocks and report lines hold it. Names are few (the lists of a work group), so the store
// is bounded: past Capacity characters, or for a very long text, Name returns an ordinary
// string. Safe to use from several threads.
//
// Every stored name starts at a multiple of Granule characters in the store's one block of
// memory, so a string's number follows from its data pointer alone, without a lock or a lookup
// (NumberOf): equal numbers are equal names. Only the store makes strings that refer to its
// memory, and each refers to one whole name.
class TNameStore {
public:
    static constexpr qsizetype Capacity = qsizetype{4} << 20;
    static constexpr qsizetype LongestName = 1024;
    // Names start at multiples of this many characters.
    static constexpr qsizetype Granule = 8;
    // NumberOf: 0 for the empty text, 1 ... LargestNumber for stored names.
    static constexpr std::uint32_t LargestNumber = Capacity / Granule;
    static constexpr std::uint32_t NotStored = ~std::uint32_t{0};

    static TNameStore& Instance();

    // The stored copy of text; text itself as an ordinary string when it is not stored.
    QString Name(QStringView text);
    // Characters stored so far, with the room left between names.
    qsizetype Size();

    // The number of the stored name text refers to; 0 when text is empty, NotStored when it
    // refers to no stored name.
    std::uint32_t NumberOf(const QString& text) const {
        if (text.isEmpty())
            return 0;
        const std::uintptr_t offset = (reinterpret_cast<std::uintptr_t>(text.constData()) -
                                       reinterpret_cast<std::uintptr_t>(FChars.get())) /
                                      sizeof(char16_t);
        if (offset >= static_cast<std::uintptr_t>(Capacity))
            return NotStored;
        return static_cast<std::uint32_t>(offset / Granule) + 1;
    }

private:
    struct THash {
        std::size_t operator()(QStringView text) const noexcept;
    };
    TNameStore();
    QStringView Store(QStringView text);

    std::mutex FLock;
    std::unordered_set<QStringView, THash> FNames;
    // Capacity characters; the system gives memory to the pages as names reach them.
    const std::unique_ptr<char16_t[]> FChars;
    qsizetype FSize = 0;
};
