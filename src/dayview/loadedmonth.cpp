#include "loadedmonth.h"

#include "base/ioerror.h"
#include "base/messages.h"
#include "storage/months/month.h"

TLoadedMonth::TLoadedMonth() = default;

TLoadedMonth::~TLoadedMonth() = default;

bool TLoadedMonth::HoldsDate(QDate date) const {
    return FMonth && FMonth->Year == date.year() && FMonth->Month == date.month();
}

bool TLoadedMonth::ShowDate(QDate date, const TDayView& view) {
    if (FMonth && !HoldsDate(date)) {
        if (FModified)
            return false;
        Release();
    }
    if (!FMonth) {
        FMonth = std::make_unique<TMonth>(date.year(), date.month(), QStringList(), view);
        FModified = false;
    }
    FDay = FMonth->DayByNumber(date.day());
    return true;
}

void TLoadedMonth::RestoreDay(const TDay& day, QDate current) {
    if (!HoldsDate(day.Date))
        return;
    FMonth->ReplaceDay(day);
    if (HoldsDate(current))
        FDay = FMonth->DayByNumber(current.day());
}

void TLoadedMonth::Release() {
    FDay = nullptr;
    FMonth.reset();
    FModified = false;
}

void TLoadedMonth::MarkModified(bool saveOnChange) {
    if (!FMonth)
        return;
    FModified = true;
    if (saveOnChange)
        SaveIfModified();
}

bool TLoadedMonth::SaveIfModified() {
    if (!FMonth || !FModified)
        return true;
    try {
        if (FMonth->Save())
            InUseListsStale = true;
    } catch (const EInOutError& error) {
        ShowMessageBox(error.Text(), TMsgKind::Error, mbOK);
        return false;
    }
    // Written, or nothing differed from what was written last: no changes are pending.
    FModified = false;
    return true;
}
