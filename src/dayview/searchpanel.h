#pragma once

#include "search/findentries.h"

#include <functional>

#include <QDate>
#include <QFrame>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QToolButton;

// The search panel at the right of the main window: a date range and up to two filters, Find,
// and the entries found. It asks its owner before it searches (the shown block must be
// complete, the month saved) and when an entry is opened.
class TSearchPanel : public QFrame {
    Q_OBJECT
public:
    explicit TSearchPanel(QWidget* parent = nullptr);

    // Monday = 1 ... Sunday = 7, as the settings keep it.
    void SetFirstDayOfWeek(int day) { FFirstDayOfWeek = day; }
    // Adds or removes "Rate Amount" and "Total Charge" as billing is switched on or off.
    void SetBillingFilterTypes(bool active);
    // The pickers for the chosen date range.
    void ApplyDateFilter();
    // The logic buttons and the second filter, as the first filter allows them.
    void UpdateLogic();
    // Date range, operators and values of both filters, logic and the clear button.
    void ResetFilterControls();
    // Runs the search with the checks and messages of the Find button.
    void Find();
    // The first day of the week holding date.
    QDate WeekStart(QDate date) const;

    std::function<QDate()> Today = [] { return QDate::currentDate(); };
    std::function<QDate()> CalendarDate;
    // False stops a search or the opening of an entry (the shown details are incomplete).
    std::function<bool()> MayLeaveBlock;
    std::function<void()> SaveBeforeSearch;
    std::function<void(QDate date, int startTime)> OnOpenEntry;
    // Set while the panel changes itself, so that the window ignores calendar and layout
    // events meanwhile.
    std::function<void(bool updating)> OnUpdating;

    QComboBox* cmbDateFilter = nullptr;
    QToolButton* sbWeek = nullptr;
    QToolButton* sbMonth = nullptr;
    QDateEdit* dateFrom = nullptr;
    QDateEdit* dateTo = nullptr;
    QComboBox* cmbFilter1 = nullptr;
    QComboBox* cmbFilter2 = nullptr;
    QComboBox* cmbLogic1 = nullptr;
    QComboBox* cmbLogic2 = nullptr;
    QLineEdit* edtFilterValue1 = nullptr;
    QLineEdit* edtFilterValue2 = nullptr;
    QComboBox* cmbChoose1 = nullptr;
    QComboBox* cmbChoose2 = nullptr;
    QRadioButton* btnOnly = nullptr;
    QRadioButton* btnAnd = nullptr;
    QRadioButton* btnOr = nullptr;
    QPushButton* btnFind = nullptr;
    QToolButton* btnClearFilter = nullptr;
    QListWidget* lstSearchResults = nullptr;
    QLabel* lblCount = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TFilterRow {
        QComboBox* Type;
        QComboBox* Logic;
        QLineEdit* Value;
        QComboBox* Choose;
    };
    void CreateControls();
    void CreateFilterRow(TFilterRow& row, int number, int top);
    void ConnectControls();
    int Scaled(int pixels) const;
    void Place(QWidget* widget, int left, int top, int width, int height);
    void FilterTypeChanged(const TFilterRow& row);
    void UpdateClearButton();
    void ClearLastCriterion();
    void SetRange(QDate from, QDate to);
    TFilterType TypeOf(const TFilterRow& row) const;
    TSearchFilter FilterOf(const TFilterRow& row) const;
    bool CheckValue(const TFilterRow& row, const QString& value);
    bool CheckNumber(const TFilterRow& row);
    void ShowResult(const TSearchResult& result);
    void OpenEntry(QListWidgetItem* item);
    void SetUpdating(bool updating);

    TFilterRow FRow1{};
    TFilterRow FRow2{};
    int FFirstDayOfWeek = 1;
    bool FBilling = false;
};
