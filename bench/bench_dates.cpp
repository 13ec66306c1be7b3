// Reading the date field of month file lines. Baseline: the full rule (the locale's short
// date form first, then the data files' form) on the same texts, measured in the same run.
#include "base/applocale.h"
#include "ratioreporter.h"
#include "storage/values/datetexts.h"

#include <QDate>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {
// Every day of four years in the data files' form, as a month file holds them.
QStringList SampleDates() {
    QStringList texts;
    for (QDate date(2021, 1, 1); date.year() < 2025; date = date.addDays(1))
        texts.append(DateText(date));
    return texts;
}

template <typename TParse> void ReadAll(benchmark::State& state, const char* locale, TParse parse) {
    SetAppLocale(QString::fromLatin1(locale) == QLatin1String("C")
                     ? QLocale::c()
                     : QLocale(QString::fromLatin1(locale)));
    const QStringList texts = SampleDates();
    for (auto _ : state) {
        qint64 sum = 0;
        for (const QString& text : texts)
            sum += parse(text).toJulianDay();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
    SetAppLocale(QLocale::c());
}

void BM_BaselineFullRuleC(benchmark::State& state) {
    ReadAll(state, "C", ParseDateTextByRule);
}
void BM_FullRuleEnUS(benchmark::State& state) {
    ReadAll(state, "en_US", ParseDateTextByRule);
}
void BM_ParseDateTextC(benchmark::State& state) {
    ReadAll(state, "C", ParseDateText);
}
void BM_ParseDateTextEnUS(benchmark::State& state) {
    ReadAll(state, "en_US", ParseDateText);
}
} // namespace

BENCHMARK(BM_BaselineFullRuleC);
BENCHMARK(BM_FullRuleEnUS);
BENCHMARK(BM_ParseDateTextC);
BENCHMARK(BM_ParseDateTextEnUS);
QH_BENCHMARK_MAIN_WITH_BASELINE("BM_BaselineFullRuleC")
