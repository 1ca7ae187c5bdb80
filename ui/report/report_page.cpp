#include "ui/report/report_page.h"
#include "ui/controls/qt_text.h"
#include "ui/report/density_plot.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

using tarvex::DescribedContribution;
using tarvex::DescribedRow;
using tarvex::DescribedShare;

const QColor kBarColour(0x3a, 0x6e, 0xa5);
const QColor kNoteColour(0x40, 0x40, 0x40);

// Lays the report out from the top of the paintable area downwards, in points converted to the device's
// units. Without a painter it only measures, so that the height is known before anything is drawn.
class ReportLayout {
public:
    ReportLayout(QPaintDevice& device, QPainter* painter, double width)
        : m_device(device)
        , m_painter(painter)
        , m_unit(device.logicalDpiY() / 72.0)
        , m_width(width) {}

    double height() const { return m_y; }

    void lay(const BudgetDocument& document) {
        const tarvex::BudgetDescription& description = document.description;
        line(Font(15, true), {{0.0, 1.0, ToQString(tarvex::kProgramTitle)}});
        space(3);
        line(Font(9, false),
             {{0.0, 1.0, QStringLiteral("Created ") + document.created.toString(Qt::ISODate)}}, kNoteColour);
        space(14);
        heading(QStringLiteral("Inputs and settings"));
        inputs(description.inputs);
        space(14);
        heading(QStringLiteral("Uncertainty budget"));
        budgetTable(description);
        space(6);
        paragraph(Font(8.5, false), CoverageStatement(description));
        if (description.coverage) {
            space(4);
            densityPlot(*description.coverage);
        }
        if (!description.shares.empty()) {
            space(14);
            heading(QStringLiteral("Share of the combined variance (u\u00b2/uc\u00b2)"));
            shareBars(description.shares);
        }
    }

private:
    // A text placed at a fraction of the width, as wide as a further fraction.
    struct Cell {
        double left;
        double width;
        QString text;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    static QFont Font(double points, bool bold) {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(points);
        font.setBold(bold);
        return font;
    }

    double pt(double points) const { return points * m_unit; }
    void space(double points) { m_y += pt(points); }
    double rowHeight(const QFont& font) const { return QFontMetricsF(font, &m_device).height() * 1.3; }

    void line(const QFont& font, const std::vector<Cell>& cells, const QColor& colour = Qt::black) {
        const double height = rowHeight(font);
        if (m_painter != nullptr) {
            m_painter->setFont(font);
            m_painter->setPen(colour);
            for (const Cell& cell : cells) {
                const QRectF box(cell.left * m_width, m_y, cell.width * m_width, height);
                m_painter->drawText(box, static_cast<int>(cell.alignment | Qt::AlignVCenter), cell.text);
            }
        }
        m_y += height;
    }

    void rule() {
        if (m_painter != nullptr) {
            m_painter->setPen(QPen(Qt::black, pt(0.5)));
            m_painter->drawLine(QPointF(0, m_y), QPointF(m_width, m_y));
        }
        m_y += pt(2);
    }

    void heading(const QString& text) {
        line(Font(11, true), {{0.0, 1.0, text}});
        space(3);
    }

    void paragraph(const QFont& font, const QString& text) {
        const QRectF box(0, m_y, m_width, 1e9);
        const QRectF used = QFontMetricsF(font, &m_device)
                                .boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
        if (m_painter != nullptr) {
            m_painter->setFont(font);
            m_painter->setPen(kNoteColour);
            m_painter->drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
        }
        m_y += used.height();
    }

    // Two columns of caption and text: the instrument and the signal (sensor ... VSWR) on the left, filter,
    // harmonics, temperatures and the two settings on the right.
    void inputs(const std::vector<DescribedRow>& rows) {
        const std::size_t leftRows = std::min<std::size_t>(9, rows.size());
        for (std::size_t i = 0; i < leftRows; ++i) {
            std::vector<Cell> cells{{0.0, 0.28, ToQString(rows[i].caption)},
                                    {0.28, 0.2, ToQString(rows[i].text)}};
            if (i + leftRows < rows.size()) {
                const DescribedRow& right = rows[i + leftRows];
                cells.push_back({0.52, 0.3, ToQString(right.caption)});
                cells.push_back({0.82, 0.18, ToQString(right.text)});
            }
            line(Font(9.5, false), cells);
        }
    }

    void budgetTable(const tarvex::BudgetDescription& description) {
        const auto row = [](const QString& caption, const QString& value, const QString& included) {
            return std::vector<Cell>{{0.0, 0.55, caption},
                                     {0.55, 0.25, value, Qt::AlignRight},
                                     {0.82, 0.18, included, Qt::AlignHCenter}};
        };
        line(Font(9.5, true), row(QStringLiteral("Influence Quantity"),
                                  QStringLiteral("Standard Uncertainty"), QStringLiteral("Included")));
        rule();
        for (const DescribedContribution& contribution : description.contributions) {
            line(Font(9.5, false), row(ToQString(contribution.caption), ToQString(contribution.text),
                                       contribution.included ? QStringLiteral("yes") : QStringLiteral("no")));
        }
        rule();
        line(Font(9.5, false),
             row(ToQString(description.combined.caption), ToQString(description.combined.text), {}));
        line(Font(9.5, true),
             row(ToQString(description.expanded.caption), ToQString(description.expanded.text), {}));
        if (description.systematic) {
            line(Font(9.5, false), row(ToQString(description.systematic->caption),
                                       ToQString(description.systematic->text), {}));
        }
        if (description.coverage) {
            for (const DescribedRow& extra :
                 {description.coverage->coverageOfMU, description.coverage->interval95}) {
                line(Font(9.5, false), row(ToQString(extra.caption), ToQString(extra.text), {}));
            }
        }
    }

    // The density of the total error, half the page wide, with its caption beside it.
    void densityPlot(const tarvex::DescribedCoverage& coverage) {
        const double height = pt(80);
        if (m_painter != nullptr) {
            PaintDensityPlot(*m_painter, QRectF(0, m_y, 0.5 * m_width, height), coverage, pt(0.6),
                             Font(8, false));
            const QRectF beside(0.55 * m_width, m_y + pt(20), 0.45 * m_width, height - pt(20));
            m_painter->setFont(Font(8.5, false));
            m_painter->setPen(kNoteColour);
            m_painter->drawText(beside, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                                ToQString(coverage.caption));
        }
        m_y += height;
    }

    // One bar per share; 100 % spans the bar column, the share's text stands right of its bar.
    void shareBars(const std::vector<DescribedShare>& shares) {
        const QFont font = Font(9, false);
        const double height = rowHeight(font);
        const double barLeft = 0.4 * m_width;
        const double fullBar = m_width - barLeft - pt(50);
        for (const DescribedShare& share : shares) {
            const double bar = std::clamp(share.fraction, 0.0, 1.0) * fullBar;
            if (m_painter != nullptr) {
                m_painter->fillRect(QRectF(barLeft, m_y + 0.2 * height, bar, 0.6 * height), kBarColour);
            }
            line(font, {{0.0, 0.4, ToQString(share.caption)},
                        {(barLeft + bar + pt(4)) / m_width, 50 * m_unit / m_width, ToQString(share.text)}});
        }
    }

    QPaintDevice& m_device;
    QPainter* m_painter;
    double m_unit;  // device units per point
    double m_width; // of the paintable area, device units
    double m_y = 0.0;
};

} // namespace

QPageLayout ReportPageLayout(const QLocale& locale) {
    const QPageSize size(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                 : QPageSize::A4);
    return {size, QPageLayout::Portrait, QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter};
}

void PaintReportPage(QPainter& painter, const BudgetDocument& document) {
    QPaintDevice& device = *painter.device();
    ReportLayout measured(device, nullptr, device.width());
    measured.lay(document);
    const double scale = std::min(1.0, device.height() / measured.height());
    painter.save();
    painter.scale(scale, scale);
    ReportLayout drawn(device, &painter, device.width() / scale);
    drawn.lay(document);
    painter.restore();
}

QByteArray ReportPdf(const BudgetDocument& document, const QPageLayout& layout) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(layout);
        writer.setResolution(600);
        writer.setTitle(ToQString(tarvex::kProgramTitle));
        writer.setCreator(ToQString(tarvex::kProgramTitle));
        QPainter painter(&writer);
        PaintReportPage(painter, document);
    }
    return pdf;
}
