#include "namestore.h"

#include <algorithm>
#include <cstring>

#include <QHashFunctions>

TNameStore& TNameStore::Instance() {
    // Never destroyed: names handed out stay valid until the process ends, whatever is torn
    // down before.
    static TNameStore* const store = new TNameStore;
    return *store;
}

// Left unset: only what is stored is read.
TNameStore::TNameStore() : FChars(new char16_t[static_cast<std::size_t>(Capacity)]) {}

std::size_t TNameStore::THash::operator()(QStringView text) const noexcept {
    return qHash(text);
}

QString TNameStore::Name(QStringView text) {
    if (text.isEmpty())
        return {};
    if (text.size() > LongestName)
        return text.toString();
    const std::lock_guard<std::mutex> guard(FLock);
    const auto known = FNames.find(text);
    if (known != FNames.end())
        return QString::fromRawData(reinterpret_cast<const QChar*>(known->data()), known->size());
    if (FSize + text.size() > Capacity)
        return text.toString();
    const QStringView stored = Store(text);
    FNames.insert(stored);
    return QString::fromRawData(reinterpret_cast<const QChar*>(stored.data()), stored.size());
}

qsizetype TNameStore::Size() {
    const std::lock_guard<std::mutex> guard(FLock);
    return FSize;
}

QStringView TNameStore::Store(QStringView text) {
    char16_t* place = FChars.get() + FSize;
    std::memcpy(place, text.utf16(), static_cast<std::size_t>(text.size()) * sizeof(char16_t));
    // The next name starts the next granule.
    FSize = std::min(Capacity, (FSize + text.size() + Granule - 1) / Granule * Granule);
    return QStringView(place, text.size());
}
