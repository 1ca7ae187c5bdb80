#include "ui/report/budget_document.h"
#include "ui/controls/qt_text.h"
#include "ui/report/density_plot.h"

#include "budget/batch_columns.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

using tarvex::BudgetDescription;
using tarvex::DescribedContribution;
using tarvex::DescribedRow;
using tarvex::DescribedShare;

constexpr const char* kBudgetHeader[] = {"Influence Quantity", "Standard Uncertainty", "Included"};

QString IncludedText(bool included) {
    return included ? QStringLiteral("yes") : QStringLiteral("no");
}

// The rows below the contributions: combined, expanded and, while shown, systematic; then, where the
// budget has a distribution, the coverage of ±U and the 95 % interval.
std::vector<DescribedRow> ResultRows(const BudgetDescription& description) {
    std::vector<DescribedRow> rows{description.combined, description.expanded};
    if (description.systematic) {
        rows.push_back(*description.systematic);
    }
    if (description.coverage) {
        rows.push_back(description.coverage->coverageOfMU);
        rows.push_back(description.coverage->interval95);
    }
    return rows;
}

QString HtmlCell(const char* tag, const QString& text) {
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), text.toHtmlEscaped());
}

QString HtmlRow(const QStringList& cells, const char* tag = "td") {
    QString row = QStringLiteral("<tr>");
    for (const QString& cell : cells) {
        row += HtmlCell(tag, cell);
    }
    return row + QStringLiteral("</tr>\n");
}

QString InputsTable(const BudgetDescription& description) {
    QString table = QStringLiteral("<table>\n");
    for (const DescribedRow& row : description.inputs) {
        table += HtmlRow({ToQString(row.caption), ToQString(row.text)});
    }
    return table + QStringLiteral("</table>\n");
}

QString BudgetTable(const BudgetDescription& description) {
    QString table = QStringLiteral("<table>\n") +
                    HtmlRow({QLatin1String(kBudgetHeader[0]), QLatin1String(kBudgetHeader[1]),
                             QLatin1String(kBudgetHeader[2])},
                            "th");
    for (const DescribedContribution& row : description.contributions) {
        table += HtmlRow({ToQString(row.caption), ToQString(row.text), IncludedText(row.included)});
    }
    for (const DescribedRow& row : ResultRows(description)) {
        table += HtmlRow({ToQString(row.caption), ToQString(row.text)});
    }
    return table + QStringLiteral("</table>\n");
}

// A horizontal bar per share, 100 % spanning the bar column; its text stands right of the bar.
QString VarianceChartSvg(const std::vector<DescribedShare>& shares) {
    constexpr int kRowHeight = 22;
    constexpr int kBarLeft = 250;
    constexpr int kFullBar = 300;
    constexpr int kWidth = kBarLeft + kFullBar + 70;
    const int height = kRowHeight * static_cast<int>(shares.size());
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                                 "viewBox=\"0 0 %1 %2\" font-family=\"Liberation Sans, Arial, sans-serif\" "
                                 "font-size=\"13\">\n")
                      .arg(kWidth)
                      .arg(height);
    int top = 0;
    for (const DescribedShare& share : shares) {
        const double bar = share.fraction * kFullBar;
        svg += QStringLiteral("<text x=\"0\" y=\"%1\">%2</text>"
                              "<rect x=\"%3\" y=\"%4\" width=\"%5\" height=\"%6\" fill=\"#3a6ea5\"/>"
                              "<text x=\"%7\" y=\"%1\">%8</text>\n")
                   .arg(top + 15)
                   .arg(ToQString(share.caption).toHtmlEscaped())
                   .arg(kBarLeft)
                   .arg(top + 4)
                   .arg(bar, 0, 'f', 1)
                   .arg(kRowHeight - 8)
                   .arg(kBarLeft + bar + 6, 0, 'f', 1)
                   .arg(ToQString(share.text).toHtmlEscaped());
        top += kRowHeight;
    }
    return svg + QStringLiteral("</svg>\n");
}

QString CsvField(const std::string& field) {
    QString text = ToQString(field);
    if (text.contains(QRegularExpression(QStringLiteral("[\",\r\n]")))) {
        text = QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    }
    return text;
}

QString CsvLine(const std::vector<std::string>& fields) {
    QStringList cells;
    for (const std::string& field : fields) {
        cells << CsvField(field);
    }
    return cells.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace

QString BudgetPlainText(const BudgetDescription& description) {
    const auto line = [](const QStringList& cells) {
        return cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    };
    QString text = ToQString(tarvex::kProgramTitle) + QStringLiteral("\n\n");
    for (const DescribedRow& row : description.inputs) {
        text += line({ToQString(row.caption), ToQString(row.text)});
    }
    text += QLatin1Char('\n') + line({QLatin1String(kBudgetHeader[0]), QLatin1String(kBudgetHeader[1]),
                                      QLatin1String(kBudgetHeader[2])});
    for (const DescribedContribution& row : description.contributions) {
        text += line({ToQString(row.caption), ToQString(row.text), IncludedText(row.included)});
    }
    for (const DescribedRow& row : ResultRows(description)) {
        text += line({ToQString(row.caption), ToQString(row.text)});
    }
    return text;
}

QString BudgetHtmlTables(const BudgetDescription& description) {
    return QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>\n<p>") +
           ToQString(tarvex::kProgramTitle).toHtmlEscaped() + QStringLiteral("</p>\n") +
           InputsTable(description) + QStringLiteral("<br>\n") + BudgetTable(description) +
           QStringLiteral("</body></html>\n");
}

QString CoverageStatement(const BudgetDescription& description) {
    return description.coverage
               ? ToQString(description.coverage->sentence)
               : QStringLiteral("The expanded uncertainty is the combined standard uncertainty "
                                "multiplied by the coverage factor k = 2.");
}

QByteArray ReportHtml(const BudgetDocument& document) {
    const QString title = ToQString(tarvex::kProgramTitle).toHtmlEscaped();
    const QString created = document.created.toString(Qt::ISODate);
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>") +
        title +
        QStringLiteral("</title>\n<style>\nbody { font-family: \"Liberation Sans\", Arial, sans-serif; }\n"
                       "table { border-collapse: collapse; margin-bottom: 1em; }\n"
                       "td, th { border: 1px solid #999; padding: 2px 8px; text-align: left; }\n"
                       "</style>\n</head>\n<body>\n<h1>") +
        title + QStringLiteral("</h1>\n<p>Created <time datetime=\"") + created + QStringLiteral("\">") +
        created + QStringLiteral("</time></p>\n<h2>Inputs and settings</h2>\n") +
        InputsTable(document.description) + QStringLiteral("<h2>Uncertainty budget</h2>\n") +
        BudgetTable(document.description) + QStringLiteral("<p>") +
        CoverageStatement(document.description).toHtmlEscaped() + QStringLiteral("</p>\n");
    if (document.description.coverage) {
        html += DensityPlotSvg(*document.description.coverage);
    }
    if (!document.description.shares.empty()) {
        html += QStringLiteral("<h2>Share of the combined variance (u\u00b2/uc\u00b2)</h2>\n") +
                VarianceChartSvg(document.description.shares);
    }
    return (html + QStringLiteral("</body>\n</html>\n")).toUtf8();
}

QByteArray ReportCsv(const tarvex::MeasurementSetup& setup, const tarvex::UncertaintyBudget& budget) {
    std::vector<std::string> header(tarvex::kBatchInputColumns.begin(), tarvex::kBatchInputColumns.end());
    const std::vector<std::string> resultColumns = tarvex::BatchResultColumns();
    header.insert(header.end(), resultColumns.begin(), resultColumns.end());

    std::vector<std::string> row = tarvex::BatchInputFields(setup, SuggestedReportName(setup).toStdString());
    const std::vector<std::string> results =
        tarvex::BatchResultFields(setup, budget, tarvex::ValueStyle::exact);
    row.insert(row.end(), results.begin(), results.end());
    row.emplace_back(); // error: none
    return (CsvLine(header) + CsvLine(row)).toUtf8();
}

QString SuggestedReportName(const tarvex::MeasurementSetup& setup) {
    QString name = QStringLiteral("uncertainty-%1-%2GHz-%3dBm")
                       .arg(ToQString(setup.sensor), ToQString(tarvex::ShortestDecimal(setup.frequency)))
                       .arg(setup.level);
    // Only characters that every file system takes.
    return name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
}
