#pragma once

#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>

// What every fuzz target shares: a quiet process (message boxes answered without showing), a
// temporary folder of its own, files made from the input, and checks that stop the run with a
// readable reason when a reader breaks one of its promises.

// Called by every target on each input; sets the process up on the first call.
void StartFuzzing();

// The process's temporary folder, with a trailing "/".
QString FuzzFolder();
// Writes the bytes to name inside FuzzFolder() (folders made as needed); the full path.
QString WriteFuzzFile(const QString& name, QByteArrayView bytes);
QByteArray FuzzFileBytes(const QString& path);

// An upper bound for the number of lines the readers can count in bytes (every CR and LF
// ending a line, and the last line).
int MaxLineCount(QByteArrayView bytes);

// The text for a failure report: control characters as codes, at most a few thousand
// characters.
QString ShownText(const QString& text);

// Stops the process (abort, so that libFuzzer keeps the input) after printing what failed.
[[noreturn]] void FuzzFailure(const char* check, const char* file, int line,
                              const QString& detail);
#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzFailure(#condition, __FILE__, __LINE__, (detail));                                 \
    } while (false)

// Input bytes as the fuzz entry point hands them over.
inline QByteArrayView InputBytes(const std::uint8_t* data, std::size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A locale of a few kinds of date, number and currency forms, picked by a byte, so that one
// target covers the forms a work group's members write under.
QLocale FuzzLocale(std::uint8_t pick);
