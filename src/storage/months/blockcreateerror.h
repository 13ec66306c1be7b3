#pragma once

#include <exception>
#include <string>

#include <QString>

// A block that cannot be built from its ini-section record.
class EBlockCreateError : public std::exception {
public:
    explicit EBlockCreateError(QString message);

    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FWhat.c_str(); }

private:
    QString FMessage;
    std::string FWhat;
};
