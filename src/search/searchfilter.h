#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The vocabulary of the search: filter types, their operators and values, and how they are
// written (as the search panel offers them and the command line reads them).

enum class TFilterType {
    Select = 0, // no filter
    Client,
    Project,
    Category,
    Activity,
    Remarks,
    Duration,
    Report,
    Overtime,
    ChargeType,
    RateAmount, // offered only while billing is active
    TotalCharge,
};
inline constexpr int FilterTypeCount = 12;

enum class TFilterOperator { Like, Equal, Greater, GreaterEqual, Less, LessEqual };

// "Only" uses the first filter alone.
enum class TSearchLogic { Only, And, Or };

// "<select>", "Client", ..., "Total Charge".
QString FilterTypeName(TFilterType type);
// The operators a type offers, in their order: "like" for texts, "=" for choices, the five
// comparisons for numbers, none for "<select>".
QList<TFilterOperator> OperatorsOf(TFilterType type);
// "like", "=", ">", ">=", "<", "<=".
QString OperatorText(TFilterOperator op);
// The choices of a type whose value is picked from a list ("Yes", "No"; the charge types);
// empty for the others. withBilling adds the four billing codes to "Charge Type".
QStringList ChoicesOf(TFilterType type, bool withBilling);
// Types whose value is a number that must not be negative.
bool IsNumberFilter(TFilterType type);

// One filter: its type, operator, value (a text, a number, or a choice's text) and, for
// "Charge Type", the chosen code.
struct TSearchFilter {
    TFilterType Type = TFilterType::Select;
    TFilterOperator Operator = TFilterOperator::Like;
    QString Value;
    int Code = 0;
};

// Reads "client like acme", "duration > 1.5", "charge type = hourly rate": a type name (letter
// case ignored), an operator the type offers and the value (a choice by its text). False with
// the part not understood in error.
bool ParseSearchFilter(const QString& text, bool withBilling, TSearchFilter& filter,
                       QString& error);
