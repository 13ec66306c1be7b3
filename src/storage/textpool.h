#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// Hands out one shared copy of texts that come again and again (the clients, projects,
// categories and activities of a month file), so that reading a file does not allocate a new
// string for every field. Keeps at most Capacity distinct texts; others are copied each time.
class TTextPool {
public:
    static constexpr std::size_t Capacity = 64;

    QString Text(QStringView text);

private:
    std::vector<QString> FTexts;
};
