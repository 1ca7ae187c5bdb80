// Time of Copy Budget (description, text, HTML tables and the clipboard's data) in the main window's start
// state, and of the PDF report of that state, offscreen. Google Benchmark reports the median of the
// repetitions (--benchmark_repetitions, 9 by default here).

#include "ui/main/main_window.h"
#include "ui/report/report_actions.h"
#include "ui/report/report_page.h"

#include <QAction>
#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void CopyBudget(benchmark::State& state) {
    Main window;
    auto* copy = window.findChild<QAction*>(QStringLiteral("mnuCopyBudget"));
    for (auto _ : state) {
        copy->trigger();
    }
}
BENCHMARK(CopyBudget)->Unit(benchmark::kMicrosecond);

void PdfReport(benchmark::State& state) {
    Main window;
    const tarvex::MeasurementSetup setup = window.ReadSetup();
    for (auto _ : state) {
        const BudgetDocument document{
            tarvex::DescribeBudget(setup, tarvex::EvaluateBudget(setup), window.DecimalSeparator()),
            QDateTime::currentDateTime()};
        benchmark::DoNotOptimize(ReportPdf(document, ReportPageLayout()));
    }
}
BENCHMARK(PdfReport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<char*> arguments(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=9";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    arguments.insert(arguments.begin() + 1, {repetitions.data(), aggregates.data()});
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
