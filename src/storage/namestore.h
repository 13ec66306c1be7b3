#pragma once

#include <QString>
#include <QStringView>

#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

// The names read from data files (clients, projects, categories, activities, users), each kept
// once for the life of the process. A name handed out refers to the store's memory, which is
// never freed nor moved, so making and dropping copies of it touches no reference count: a year
// of a work group's blocks, each holding five names, is read, copied into report lines and freed
// without a shared counter being changed millions of times. Names are few (the lists of a work
// group), so the store is bounded: past Capacity characters, or for a very long text, Name
// returns an ordinary string. Safe to use from several threads.
class TNameStore {
public:
    static constexpr qsizetype Capacity = qsizetype{4} << 20;
    static constexpr qsizetype LongestName = 1024;

    static TNameStore& Instance();

    // The stored copy of text; text itself as an ordinary string when it is not stored.
    QString Name(QStringView text);
    // Characters stored so far.
    qsizetype Size();

private:
    struct THash {
        std::size_t operator()(QStringView text) const noexcept;
    };
    QStringView Store(QStringView text);

    std::mutex FLock;
    std::unordered_set<QStringView, THash> FNames;
    std::vector<std::unique_ptr<char16_t[]>> FChunks;
    qsizetype FChunkUsed = 0;
    qsizetype FSize = 0;
};
