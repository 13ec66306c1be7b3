#pragma once

#include <exception>
#include <string>

#include <QString>

// A file-system or file-content failure: what went wrong, the file and, where it applies,
// the line (1-based; 0 when the error is not about one line).
class EInOutError : public std::exception {
public:
    EInOutError(QString message, QString fileName = {}, int line = 0);

    const QString& Message() const { return FMessage; }
    const QString& FileName() const { return FFileName; }
    int Line() const { return FLine; }
    // The message with the file and line, as shown to a person.
    QString Text() const;
    const char* what() const noexcept override { return FWhat.c_str(); }

private:
    QString FMessage;
    QString FFileName;
    int FLine;
    std::string FWhat;
};
