#include "searchpanel.h"

#include "base/applocale.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "widgets/toolglyphs.h"
#include "storage/settings/windowgeometry.h"
#include "storage/values/timetexts.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
constexpr int Limit = 1000;
const QString NothingFound = QStringLiteral("No entries found");
constexpr int DateRole = Qt::UserRole;
constexpr int StartRole = Qt::UserRole + 1;

enum TDateRange { drAll, drThisWeek, drLastWeek, drThisMonth, drLastMonth, drThisYear,
                  drLastYear, drSince, drBefore, drBetween };

QComboBox* NewList(QWidget* parent, const char* name, const char* hint) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(QString::fromLatin1(hint));
    return box;
}

QDate MonthEnd(QDate date) {
    return QDate(date.year(), date.month(), date.daysInMonth());
}
} // namespace

TSearchPanel::TSearchPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pnlSearch"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont small = font();
    small.setPointSizeF(7);
    setFont(small);
    CreateControls();
    ConnectControls();
    resize(Scaled(154), Scaled(484));
    ResetFilterControls();
}

int TSearchPanel::Scaled(int pixels) const {
    return ScaleToScreen(pixels, logicalDpiX());
}

void TSearchPanel::Place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(Scaled(left), Scaled(top), Scaled(width), Scaled(height));
}

void TSearchPanel::CreateControls() {
    auto* title = new QLabel(QStringLiteral("Search"), this);
    title->setObjectName(QStringLiteral("Label5"));
    Place(title, 9, 12, 32, 13);
    cmbDateFilter = NewList(this, "cmbDateFilter", "Select the date range type");
    cmbDateFilter->addItems({QStringLiteral("All dates"), QStringLiteral("This week"),
                             QStringLiteral("Last week"), QStringLiteral("This month"),
                             QStringLiteral("Last month"), QStringLiteral("This year"),
                             QStringLiteral("Last Year"), QStringLiteral("Since"),
                             QStringLiteral("Before"), QStringLiteral("Between")});
    Place(cmbDateFilter, 41, 8, 82, 20);
    const auto smallButton = [this](const char* name, const char* hint, int top) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QString::fromLatin1(hint));
        button->setAccessibleName(button->toolTip());
        button->setAutoRaise(false);
        Place(button, 126, top, 21, 7);
        return button;
    };
    sbWeek = smallButton("sbWeek", "Currently selected calendar week", 7);
    sbMonth = smallButton("sbMonth", "Currently selected calendar month", 14);
    const auto picker = [this](const char* name, const char* hint, int left) {
        auto* date = new QDateEdit(this);
        date->setObjectName(QString::fromLatin1(name));
        date->setToolTip(QString::fromLatin1(hint));
        date->setCalendarPopup(true);
        // The locale's narrow form fits the pickers' 70 pixels.
        date->setDisplayFormat(AppLocale().dateFormat(QLocale::NarrowFormat));
        Place(date, left, 31, 70, 20);
        return date;
    };
    dateFrom = picker("dateFrom", "Enter the first date of the interval", 8);
    dateTo = picker("dateTo", "Enter the last date of the interval", 79);
    CreateFilterRow(FRow1, 1, 54);
    CreateFilterRow(FRow2, 2, 116);
    cmbFilter1 = FRow1.Type;
    cmbLogic1 = FRow1.Logic;
    edtFilterValue1 = FRow1.Value;
    cmbChoose1 = FRow1.Choose;
    cmbFilter2 = FRow2.Type;
    cmbLogic2 = FRow2.Logic;
    edtFilterValue2 = FRow2.Value;
    cmbChoose2 = FRow2.Choose;
    const auto radio = [this](const char* name, const char* caption, const char* hint, int left) {
        auto* button = new QRadioButton(QString::fromLatin1(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QString::fromLatin1(hint));
        Place(button, left, 99, 44, 15);
        button->resize(std::min(button->sizeHint().width(), Scaled(154) - button->x() - 2),
                       button->height());
        return button;
    };
    btnOnly = radio("btnOnly", "Only", "Select 'Only' to locate entries that satisfy just one filter", 10);
    btnAnd = radio("btnAnd", "And", "Select 'And' to locate entries that satisfy both filters ", 77);
    btnOr = radio("btnOr", "Or", "Select 'Or' to locate entries that satisfy either filter", 118);
    btnOnly->setChecked(true);
    btnFind = new QPushButton(QStringLiteral("Find"), this);
    btnFind->setObjectName(QStringLiteral("btnFind"));
    btnFind->setToolTip(QStringLiteral("Find the time entries that match the filter criteria"));
    Place(btnFind, 8, 164, 120, 21);
    btnClearFilter = new QToolButton(this);
    btnClearFilter->setObjectName(QStringLiteral("btnClearFilter"));
    btnClearFilter->setToolTip(QStringLiteral("Clear the search filters"));
    btnClearFilter->setAccessibleName(btnClearFilter->toolTip());
    btnClearFilter->setIcon(ToolGlyph(TToolGlyph::Close));
    Place(btnClearFilter, 128, 164, 21, 21);
    lstSearchResults = new QListWidget(this);
    lstSearchResults->setObjectName(QStringLiteral("lstSearchResults"));
    lstSearchResults->setToolTip(QStringLiteral("Entries located by the last search"));
    lblCount = new QLabel(QStringLiteral("0 entries"), this);
    lblCount->setObjectName(QStringLiteral("lblCount"));
}

void TSearchPanel::CreateFilterRow(TFilterRow& row, int number, int top) {
    auto* label = new QLabel(QStringLiteral("for"), this);
    label->setObjectName(QStringLiteral("Label%1").arg(number == 1 ? 8 : 9));
    Place(label, 9, top + 3, 16, 13);
    row.Type = NewList(this, number == 1 ? "cmbFilter1" : "cmbFilter2", "Select a filter type");
    for (int type = 0; type <= int(TFilterType::ChargeType); ++type)
        row.Type->addItem(FilterTypeName(TFilterType(type)));
    Place(row.Type, 27, top, 80, 20);
    row.Logic = NewList(this, number == 1 ? "cmbLogic1" : "cmbLogic2",
                        "Select a filter operator (if available)");
    Place(row.Logic, 108, top, 41, 20);
    row.Value = new QLineEdit(this);
    row.Value->setObjectName(number == 1 ? QStringLiteral("edtFilterValue1")
                                         : QStringLiteral("edtFilterValue2"));
    row.Value->setToolTip(QStringLiteral("Enter a value to search for"));
    Place(row.Value, 8, top + 23, 141, 20);
    row.Choose = NewList(this, number == 1 ? "cmbChoose1" : "cmbChoose2",
                         "Select a value to search for");
    Place(row.Choose, 8, top + 23, 141, 20);
    row.Choose->hide();
}

void TSearchPanel::ConnectControls() {
    connect(cmbDateFilter, &QComboBox::currentIndexChanged, this, [this] {
        ApplyDateFilter();
        UpdateClearButton();
    });
    connect(FRow1.Type, &QComboBox::currentIndexChanged, this, [this] {
        FilterTypeChanged(FRow1);
        UpdateLogic();
        UpdateClearButton();
    });
    connect(FRow2.Type, &QComboBox::currentIndexChanged, this, [this] {
        FilterTypeChanged(FRow2);
        UpdateClearButton();
    });
    for (QRadioButton* button : {btnOnly, btnAnd, btnOr})
        connect(button, &QRadioButton::toggled, this, [this] {
            UpdateLogic();
            UpdateClearButton();
        });
    connect(sbWeek, &QToolButton::clicked, this, [this] {
        const QDate start = WeekStart(CalendarDate ? CalendarDate() : Today());
        cmbDateFilter->setCurrentIndex(drBetween);
        SetRange(start, start.addDays(6));
    });
    connect(sbMonth, &QToolButton::clicked, this, [this] {
        const QDate date = CalendarDate ? CalendarDate() : Today();
        cmbDateFilter->setCurrentIndex(drBetween);
        SetRange(QDate(date.year(), date.month(), 1), MonthEnd(date));
    });
    connect(btnFind, &QPushButton::clicked, this, [this] { Find(); });
    connect(btnClearFilter, &QToolButton::clicked, this, [this] { ClearLastCriterion(); });
    connect(lstSearchResults, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { OpenEntry(item); });
}

void TSearchPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    // The list takes the height the window gives the panel beyond its design height.
    const int extra = height() - Scaled(479);
    lstSearchResults->setGeometry(Scaled(8), Scaled(184), Scaled(141), Scaled(277) + extra);
    lblCount->setGeometry(Scaled(9), Scaled(464) + extra, Scaled(140), Scaled(13));
}

QDate TSearchPanel::WeekStart(QDate date) const {
    int back = date.dayOfWeek() - FFirstDayOfWeek;
    if (back < 0)
        back += 7;
    return date.addDays(-back);
}

void TSearchPanel::SetRange(QDate from, QDate to) {
    dateFrom->setDate(from);
    dateTo->setDate(to);
}

void TSearchPanel::ApplyDateFilter() {
    dateFrom->setEnabled(false);
    dateTo->setEnabled(false);
    const QDate today = Today();
    switch (cmbDateFilter->currentIndex()) {
    case drThisWeek:
    case drLastWeek: {
        const QDate start = WeekStart(cmbDateFilter->currentIndex() == drThisWeek
                                          ? today
                                          : today.addDays(-7));
        SetRange(start, start.addDays(6));
        break;
    }
    case drThisMonth:
        SetRange(QDate(today.year(), today.month(), 1), MonthEnd(today));
        break;
    case drLastMonth: {
        const QDate last = today.addMonths(-1);
        SetRange(QDate(last.year(), last.month(), 1), MonthEnd(last));
        break;
    }
    case drThisYear:
    case drLastYear: {
        const int year = today.year() - (cmbDateFilter->currentIndex() == drLastYear ? 1 : 0);
        SetRange(QDate(year, 1, 1), QDate(year, 12, 31));
        break;
    }
    case drSince:
    case drBefore:
        SetRange(today, today);
        dateFrom->setEnabled(true);
        break;
    case drBetween:
        SetRange(today, today);
        dateFrom->setEnabled(true);
        dateTo->setEnabled(true);
        break;
    default:
        SetRange(today, today);
        break;
    }
}

TFilterType TSearchPanel::TypeOf(const TFilterRow& row) const {
    return static_cast<TFilterType>(std::max(0, row.Type->currentIndex()));
}

void TSearchPanel::FilterTypeChanged(const TFilterRow& row) {
    const TFilterType type = TypeOf(row);
    row.Logic->clear();
    for (TFilterOperator op : OperatorsOf(type))
        row.Logic->addItem(OperatorText(op), int(op));
    row.Logic->setCurrentIndex(row.Logic->count() > 0 ? 0 : -1);
    row.Logic->setEnabled(row.Logic->count() > 0);
    const QStringList choices = ChoicesOf(type, FBilling);
    row.Choose->clear();
    row.Choose->addItems(choices);
    row.Choose->setCurrentIndex(choices.isEmpty() ? -1 : 0);
    row.Choose->setVisible(!choices.isEmpty());
    row.Value->setVisible(choices.isEmpty());
    if (type == TFilterType::Select)
        row.Value->clear();
    row.Value->setEnabled(type != TFilterType::Select);
    row.Choose->setEnabled(row.Type->isEnabled());
}

void TSearchPanel::UpdateLogic() {
    if (TypeOf(FRow1) == TFilterType::Select) {
        btnOnly->setChecked(true);
        btnAnd->setEnabled(false);
    } else {
        btnAnd->setEnabled(true);
    }
    btnOr->setEnabled(btnAnd->isEnabled());
    btnOnly->setEnabled(btnAnd->isEnabled());
    const bool second = btnAnd->isEnabled() && !btnOnly->isChecked();
    FRow2.Type->setEnabled(second);
    if (!second) {
        const bool reset = FRow2.Type->currentIndex() != 0;
        FRow2.Type->setCurrentIndex(0);
        if (!reset)
            FilterTypeChanged(FRow2);
        FRow2.Value->setEnabled(false);
    }
}

void TSearchPanel::UpdateClearButton() {
    btnClearFilter->setEnabled(cmbDateFilter->currentIndex() != 0 ||
                               FRow1.Type->currentIndex() != 0 || FRow2.Type->currentIndex() != 0);
}

void TSearchPanel::ResetFilterControls() {
    SetUpdating(true);
    ApplyDateFilter();
    FilterTypeChanged(FRow1);
    FilterTypeChanged(FRow2);
    UpdateLogic();
    UpdateClearButton();
    SetUpdating(false);
}

void TSearchPanel::SetUpdating(bool updating) {
    if (OnUpdating)
        OnUpdating(updating);
}

void TSearchPanel::ClearLastCriterion() {
    if (FRow2.Type->currentIndex() != 0)
        FRow2.Type->setCurrentIndex(0);
    else if (FRow1.Type->currentIndex() != 0)
        FRow1.Type->setCurrentIndex(0);
    else
        cmbDateFilter->setCurrentIndex(drAll);
}

void TSearchPanel::SetBillingFilterTypes(bool active) {
    FBilling = active;
    const int lastPlain = int(TFilterType::ChargeType);
    if (active && FRow1.Type->count() == lastPlain + 1) {
        for (QComboBox* box : {FRow1.Type, FRow2.Type})
            box->addItems({FilterTypeName(TFilterType::RateAmount),
                           FilterTypeName(TFilterType::TotalCharge)});
    } else if (!active && FRow1.Type->count() > lastPlain + 1) {
        if (FRow1.Type->currentIndex() > lastPlain || FRow2.Type->currentIndex() > lastPlain) {
            cmbDateFilter->setCurrentIndex(drAll);
            FRow1.Type->setCurrentIndex(0);
            FRow2.Type->setCurrentIndex(0);
            lstSearchResults->clear();
            ResetFilterControls();
        }
        for (QComboBox* box : {FRow1.Type, FRow2.Type})
            while (box->count() > lastPlain + 1)
                box->removeItem(box->count() - 1);
    }
    // The charge types offered depend on billing too.
    for (const TFilterRow* row : {&FRow1, &FRow2})
        if (TypeOf(*row) == TFilterType::ChargeType)
            FilterTypeChanged(*row);
}

TSearchFilter TSearchPanel::FilterOf(const TFilterRow& row) const {
    TSearchFilter filter;
    filter.Type = TypeOf(row);
    filter.Operator = static_cast<TFilterOperator>(row.Logic->currentData().toInt());
    filter.Value = row.Choose->isVisible() ? row.Choose->currentText() : row.Value->text().trimmed();
    filter.Code = std::max(0, row.Choose->currentIndex());
    return filter;
}

bool TSearchPanel::CheckValue(const TFilterRow& row, const QString& value) {
    QWidget* control = row.Choose->isVisible() ? static_cast<QWidget*>(row.Choose) : row.Value;
    if (!control->isEnabled() || !value.isEmpty())
        return true;
    ShowMessageBox(QStringLiteral("Please enter a value for the ") + FilterTypeName(TypeOf(row)),
                   TMsgKind::Error, mbOK);
    control->setFocus();
    return false;
}

bool TSearchPanel::CheckNumber(const TFilterRow& row) {
    double number = 0;
    if (!IsNumberFilter(TypeOf(row)) || ReadFilterNumber(row.Value->text(), number))
        return true;
    ShowMessageBox(FilterTypeName(TypeOf(row)) +
                       QStringLiteral(" requires a positive number for the filter"),
                   TMsgKind::Error, mbOK);
    row.Value->setFocus();
    return false;
}

void TSearchPanel::Find() {
    if (MayLeaveBlock && !MayLeaveBlock())
        return;
    const TSearchFilter first = FilterOf(FRow1);
    const TSearchFilter second = FilterOf(FRow2);
    if (!CheckValue(FRow1, first.Value) || !CheckNumber(FRow1) ||
        !CheckValue(FRow2, second.Value))
        return;
    if (FRow2.Type->isEnabled() && FRow2.Type->currentIndex() == 0) {
        ShowMessageBox(QStringLiteral("Please select a second filter type"), TMsgKind::Error, mbOK);
        FRow2.Type->setFocus();
        return;
    }
    if (!CheckNumber(FRow2))
        return;
    TSearchRequest request;
    request.Filter1 = first;
    request.Filter2 = second;
    const QDate one = dateFrom->date();
    const QDate other = dateTo->date();
    switch (cmbDateFilter->currentIndex()) {
    case drAll:
        break;
    case drSince:
        request.From = std::min(one, other);
        break;
    case drBefore:
        request.To = one;
        break;
    default:
        request.From = std::min(one, other);
        request.To = std::max(one, other);
    }
    if (SaveBeforeSearch)
        SaveBeforeSearch();
    request.Logic = btnAnd->isChecked()  ? TSearchLogic::And
                    : btnOr->isChecked() ? TSearchLogic::Or
                                         : TSearchLogic::Only;
    request.Limit = Limit;
    lstSearchResults->clear();
    try {
        ShowResult(FindEntries(request));
    } catch (const EInOutError& error) {
        ShowMessageBox(error.Text(), TMsgKind::Error, mbOK);
    }
}

void TSearchPanel::ShowResult(const TSearchResult& result) {
    for (const TSearchMatch& match : result.Listed) {
        auto* item = new QListWidgetItem(LocaleShortDateText(match.Date) +
                                             QStringLiteral("    ") + TimeText(match.StartTime),
                                         lstSearchResults);
        item->setData(DateRole, match.Date);
        item->setData(StartRole, match.StartTime);
    }
    const int listed = lstSearchResults->count();
    lblCount->setText(QString::number(listed) +
                      (listed == 1 ? QStringLiteral(" entry") : QStringLiteral(" entries")));
    if (result.Count == 0 && listed == 0) {
        lstSearchResults->addItem(NothingFound);
    } else if (result.Count > Limit) {
        ShowMessageBox(QStringLiteral("Your search returned ") + QString::number(result.Count) +
                           QStringLiteral(" results - only ") + QString::number(Limit) +
                           QStringLiteral(" have been displayed") + QLatin1Char('\r') +
                           QStringLiteral("Please refine the filter criteria and try again"),
                       TMsgKind::Warning, mbOK);
        cmbDateFilter->setFocus();
    }
}

void TSearchPanel::OpenEntry(QListWidgetItem* item) {
    if (!item || !item->data(DateRole).isValid())
        return; // "No entries found"
    if (MayLeaveBlock && !MayLeaveBlock())
        return;
    if (OnOpenEntry)
        OnOpenEntry(item->data(DateRole).toDate(), item->data(StartRole).toInt());
    lstSearchResults->setFocus();
}
