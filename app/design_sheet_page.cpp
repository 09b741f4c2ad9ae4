#include "app/design_sheet_page.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "design/design_sheet.h"
#include "ui/widgets.h"

namespace korvane {
namespace {

constexpr double kMarginMm = 15;
constexpr double kBodyPoints = 9;
constexpr double kNamePoints = 15;
constexpr double kSectionPoints = 11;
// The list's size, made smaller down to the least when its lines are wider
// than the page.
constexpr double kListPoints = 8;
constexpr double kLeastListPoints = 5;

// Where a row's value and unit begin, as fractions of the width; the
// caption takes the rest at the left.
constexpr double kValueAt = 0.52;
constexpr double kUnitAt = 0.88;
constexpr double kColumnGap = 0.02;

QFont PageFont(double points, bool bold = false, bool italic = false) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    // No ligatures: "fi" stays two letters in the PDF's text, so that a
    // search for "Amplifier" finds it.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QFont FixedPageFont(double points) {
    QFont font = FixedFont();
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Writes down the page from its top, one line or row at a time.
class PageWriter {
public:
    PageWriter(QPainter& painter, const QRectF& area)
        : painter_(painter), area_(area), y_(area.top()) {}

    double width() const { return area_.width(); }
    double room() const { return area_.bottom() - y_; }
    QFontMetricsF metrics(const QFont& font) const {
        return QFontMetricsF(font, painter_.device());
    }
    double lineHeight(const QFont& font) const { return metrics(font).lineSpacing(); }

    void line(const QString& text, const QFont& font) {
        put(text, font, 0, 1, metrics(font).ascent());
        y_ += lineHeight(font);
    }
    // A text that wraps onto as many lines as it needs.
    void paragraph(const QString& text, const QFont& font) {
        painter_.setFont(font);
        QRectF used;
        painter_.drawText(QRectF(area_.left(), y_, area_.width(), std::max(0.0, room())),
                          Qt::TextWordWrap, text, &used);
        y_ += std::max(used.height(), lineHeight(font));
    }
    // A caption, its value in the fixed-pitch font, and its unit, on one
    // baseline.
    void row(const SheetRow& row) {
        const QFont body = PageFont(kBodyPoints);
        const QFont fixed = FixedPageFont(kBodyPoints);
        const double ascent = std::max(metrics(body).ascent(), metrics(fixed).ascent());
        put(FromCore(row.caption), body, 0, kValueAt - kColumnGap, ascent);
        put(FromCore(row.value), fixed, kValueAt, kUnitAt - kColumnGap, ascent);
        put(FromCore(row.unit), body, kUnitAt, 1, ascent);
        y_ += std::max(lineHeight(body), lineHeight(fixed));
    }
    void gap(const QFont& font, double lines) { y_ += lines * lineHeight(font); }

private:
    // One line of text between the fractions `from` and `to` of the width,
    // its baseline `ascent` below the line's top, cut with an ellipsis
    // where it is longer.
    void put(const QString& text, const QFont& font, double from, double to, double ascent) {
        const QFontMetricsF fm = metrics(font);
        const double x = area_.left() + from * area_.width();
        painter_.setFont(font);
        painter_.drawText(QPointF(x, y_ + ascent),
                          fm.elidedText(text, Qt::ElideRight, (to - from) * area_.width()));
    }

    QPainter& painter_;
    QRectF area_;
    double y_;
};

void DrawSection(PageWriter& page, const SheetSection& section) {
    const QFont body = PageFont(kBodyPoints);
    page.gap(body, 0.8);
    page.line(FromCore(section.title), PageFont(kSectionPoints, true));
    for (const SheetRow& row : section.inputs) page.row(row);
    if (section.notCalculated) {
        page.paragraph(FromCore(*section.notCalculated), PageFont(kBodyPoints, false, true));
    } else if (!section.results.empty()) {
        page.line(QStringLiteral("Results"), PageFont(kBodyPoints, true));
        for (const SheetRow& row : section.results) page.row(row);
    }
    for (const std::string& note : section.notes) page.paragraph(FromCore(note), body);
}

// The network's heading and as many rows as the page still holds.
void DrawList(PageWriter& page, const SheetSection& section) {
    if (section.listHeading.empty()) return;
    const QString heading = FromCore(section.listHeading);
    QStringList lines;
    for (const std::string& line : section.listLines) lines << FromCore(line);

    QFont font = FixedPageFont(kListPoints);
    double widest = page.metrics(font).horizontalAdvance(heading);
    for (const QString& line : lines) {
        widest = std::max(widest, page.metrics(font).horizontalAdvance(line));
    }
    if (widest > page.width()) {
        font.setPointSizeF(std::max(kLeastListPoints, kListPoints * page.width() / widest));
    }
    const QFont body = PageFont(kBodyPoints);
    page.gap(body, 0.5);
    page.line(heading, font);

    const double fit = std::floor(page.room() / page.lineHeight(font));
    const auto rows = static_cast<qsizetype>(std::max(0.0, fit));
    if (rows >= lines.size()) {
        for (const QString& line : lines) page.line(line, font);
        return;
    }
    // The last line that fits says how many rows are left out.
    const qsizetype shown = std::max<qsizetype>(0, rows - 1);
    for (qsizetype i = 0; i < shown; ++i) page.line(lines[i], font);
    page.line(QStringLiteral("and %1 more rows").arg(lines.size() - shown), font);
}

}  // namespace

QPageLayout SheetPageLayout(const QLocale& locale) {
    const QPageSize size(locale.measurementSystem() == QLocale::ImperialUSSystem
                             ? QPageSize::Letter
                             : QPageSize::A4);
    return QPageLayout(size, QPageLayout::Portrait,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

void DrawDesignSheet(QPainter& painter, const QRectF& area, const DesignSheet& sheet) {
    PageWriter page(painter, area);
    const QFont body = PageFont(kBodyPoints);
    for (std::size_t i = 0; i < sheet.title.size(); ++i) {
        page.line(FromCore(sheet.title[i]), i == 0 ? PageFont(kNamePoints, true) : body);
    }
    DrawSection(page, sheet.rcStage);
    DrawSection(page, sheet.feedback);
    DrawSection(page, sheet.network);
    DrawList(page, sheet.network);
}

QByteArray DesignSheetPdf(const DesignSheet& sheet, const QString& title,
                          const QLocale& locale) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(SheetPageLayout(locale));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Korvane"));
        QPainter painter(&writer);
        DrawDesignSheet(painter, QRectF(0, 0, writer.width(), writer.height()), sheet);
    }
    return buffer.data();
}

bool PrintDesignSheet(QPrinter& printer, const DesignSheet& sheet) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    DrawDesignSheet(painter, QRectF(0, 0, printer.width(), printer.height()), sheet);
    return painter.end();
}

}  // namespace korvane
