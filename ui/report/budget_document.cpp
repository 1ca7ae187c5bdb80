#include "ui/report/budget_document.h"
#include "ui/controls/qt_text.h"
#include "ui/report/density_plot.h"
#include "ui/report/report_texts.h"

#include "budget/batch_columns.h"
#include "budget/csv_field.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

using tarvex::BudgetDescription;
using tarvex::DescribedContribution;
using tarvex::DescribedRow;
using tarvex::DescribedShare;
using tarvex::ShownNumber;

// The namespace of Excel's attributes (x:num), declared on the html element of both renderings.
constexpr const char* kExcelNamespace = "xmlns:x=\"urn:schemas-microsoft-com:office:excel\"";

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

// A number format code with the shown number of decimals: "0", "0.000".
QString FormatCode(int decimals) {
    return decimals > 0 ? QStringLiteral("0.") + QString(decimals, QLatin1Char('0')) : QStringLiteral("0");
}

// A value cell that a spreadsheet takes as a number of its own, shown with the window's digits:
// LibreOffice reads sdval (the value) and sdnum (language en-US and format code), Excel x:num and the
// mso-number-format style. The cell's text is the window's number, for whatever reads neither.
QString NumberCell(const ShownNumber& number) {
    const QString value = ToQString(tarvex::ShortestDecimal(number.value));
    const QString code = FormatCode(number.decimals);
    return QStringLiteral("<td sdval=\"%1\" sdnum=\"1033;1033;%2\" x:num=\"%1\" "
                          "style='mso-number-format:\"%3\"'>%4</td>")
        .arg(value, code, QString(code).replace(QLatin1Char('.'), QStringLiteral("\\.")),
             ToQString(number.digits).toHtmlEscaped());
}

// A row of caption, value and, in the budget table, the included mark. A number's unit stands in the
// caption ("Frequency (GHz)") unless it is the unit the column's heading names; a value that is no
// number stays a text.
QString HtmlRow(const std::string& caption, const std::string& text, const std::optional<ShownNumber>& number,
                std::string_view columnUnit = {}, const QString& included = {}) {
    const std::string_view unit = !number || number->unit == columnUnit ? std::string_view() : number->unit;
    return QStringLiteral("<tr>") + HtmlCell("td", ToQString(tarvex::CaptionWithUnit(caption, unit))) +
           (number ? NumberCell(*number) : HtmlCell("td", ToQString(text))) +
           (included.isEmpty() ? QString() : HtmlCell("td", included)) + QStringLiteral("</tr>\n");
}

QString InputsTable(const BudgetDescription& description) {
    QString table = QStringLiteral("<table>\n");
    for (const DescribedRow& row : description.inputs) {
        table += HtmlRow(row.caption, row.text, row.number);
    }
    return table + QStringLiteral("</table>\n");
}

QString BudgetTable(const BudgetDescription& description) {
    QString table = QStringLiteral("<table>\n<tr>") +
                    HtmlCell("th", ToQString(tarvex::kInfluenceQuantityHeading)) +
                    HtmlCell("th", ToQString(tarvex::CaptionWithUnit(tarvex::kStandardUncertaintyHeading,
                                                                     description.valueUnit))) +
                    HtmlCell("th", ToQString(tarvex::kIncludedHeading)) + QStringLiteral("</tr>\n");
    for (const DescribedContribution& row : description.contributions) {
        table += HtmlRow(row.caption, row.text, row.number, description.valueUnit,
                         ToQString(tarvex::IncludedText(row.included)));
    }
    for (const DescribedRow& row : ResultRows(description)) {
        table += HtmlRow(row.caption, row.text, row.number, description.valueUnit);
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
                              "<rect x=\"%3\" y=\"%4\" width=\"%5\" height=\"%6\" fill=\"#%9\"/>"
                              "<text x=\"%7\" y=\"%1\">%8</text>\n")
                   .arg(top + 15)
                   .arg(ToQString(share.caption).toHtmlEscaped())
                   .arg(kBarLeft)
                   .arg(top + 4)
                   .arg(bar, 0, 'f', 1)
                   .arg(kRowHeight - 8)
                   .arg(kBarLeft + bar + 6, 0, 'f', 1)
                   .arg(ToQString(share.text).toHtmlEscaped())
                   .arg(report_texts::kBarColour, 6, 16, QLatin1Char('0'));
        top += kRowHeight;
    }
    return svg + QStringLiteral("</svg>\n");
}

// One CSV record, its fields written as every CSV file of the programs writes them.
std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (&field != &fields.front()) {
            line += tarvex::kCsvSeparator;
        }
        tarvex::AppendCsvField(line, field);
    }
    return line.append(tarvex::kCsvLineEnd);
}

QString Heading(const char* tag, std::string_view text) {
    return HtmlCell(tag, ToQString(text)) + QLatin1Char('\n');
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
    text += QLatin1Char('\n') +
            line({ToQString(tarvex::kInfluenceQuantityHeading),
                  ToQString(tarvex::kStandardUncertaintyHeading), ToQString(tarvex::kIncludedHeading)});
    for (const DescribedContribution& row : description.contributions) {
        text += line(
            {ToQString(row.caption), ToQString(row.text), ToQString(tarvex::IncludedText(row.included))});
    }
    for (const DescribedRow& row : ResultRows(description)) {
        text += line({ToQString(row.caption), ToQString(row.text)});
    }
    return text;
}

QString BudgetHtmlTables(const BudgetDescription& description) {
    return QStringLiteral("<html %1><head><meta charset=\"utf-8\"></head><body>\n<p>")
               .arg(QLatin1String(kExcelNamespace)) +
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
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\" %1>\n<head>\n<meta charset=\"utf-8\">\n<title>")
            .arg(QLatin1String(kExcelNamespace)) +
        title +
        QStringLiteral("</title>\n<style>\nbody { font-family: \"Liberation Sans\", Arial, sans-serif; }\n"
                       "table { border-collapse: collapse; margin-bottom: 1em; }\n"
                       "td, th { border: 1px solid #999; padding: 2px 8px; text-align: left; }\n"
                       "td[sdval] { text-align: right; }\n"
                       "</style>\n</head>\n<body>\n<h1>") +
        title + QStringLiteral("</h1>\n<p>") + ToQString(report_texts::kCreated) +
        QStringLiteral(" <time datetime=\"") + created + QStringLiteral("\">") + created +
        QStringLiteral("</time></p>\n") + Heading("h2", report_texts::kInputsHeading) +
        InputsTable(document.description) + Heading("h2", report_texts::kBudgetHeading) +
        BudgetTable(document.description) + QStringLiteral("<p>") +
        CoverageStatement(document.description).toHtmlEscaped() + QStringLiteral("</p>\n");
    if (document.description.coverage) {
        html += DensityPlotSvg(*document.description.coverage);
    }
    if (!document.description.shares.empty()) {
        html += Heading("h2", report_texts::kSharesHeading) + VarianceChartSvg(document.description.shares);
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
    const std::string csv = CsvLine(header) + CsvLine(row);
    return {csv.data(), static_cast<qsizetype>(csv.size())};
}

QString SuggestedReportName(const tarvex::MeasurementSetup& setup) {
    QString name = QStringLiteral("uncertainty-%1-%2GHz-%3dBm")
                       .arg(ToQString(setup.sensor), ToQString(tarvex::ShortestDecimal(setup.frequency)))
                       .arg(setup.level);
    // Only characters that every file system takes.
    return name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
}
