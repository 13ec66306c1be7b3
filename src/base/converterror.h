#pragma once

#include <exception>
#include <string>

#include <QString>

// A text that could not be converted to the value it should hold, e.g. a date that is no
// date. Carries the message and the text that failed.
class EConvertError : public std::exception {
public:
    EConvertError(QString message, QString text);

    const QString& Message() const { return FMessage; }
    const QString& Text() const { return FText; }
    const char* what() const noexcept override { return FWhat.c_str(); }

private:
    QString FMessage;
    QString FText;
    std::string FWhat;
};
