#pragma once
// The design sheet on paper: one page, A4 or Letter as the locale has it,
// drawn alike into a PDF file and onto a printer. Its texts stay text in
// the PDF (a reader can search and copy them); the network's list is set
// in a fixed-pitch font so that its columns line up.

#include <QByteArray>
#include <QLocale>
#include <QPageLayout>
#include <QString>

class QPainter;
class QPrinter;
class QRectF;

namespace korvane {

struct DesignSheet;

// The sheet's page: Letter where the locale measures in US units, A4
// elsewhere; portrait, 15 mm margins.
//   QLocale(QLocale::English, QLocale::UnitedStates) -> Letter
//   QLocale(QLocale::English, QLocale::UnitedKingdom) -> A4
QPageLayout SheetPageLayout(const QLocale& locale = QLocale());

// Draws the sheet into `area`, the page inside its margins in the
// painter's device units, from the top down: the design's name, the date
// and Korvane's version; then each calculator's inputs (caption, value,
// unit) and its results, or its one "Not calculated: ..." line; the
// network's heading and as many of its rows as the page still holds, with
// "and 12 more rows" under them when some do not fit. Texts are the core's
// Windows-1252.
void DrawDesignSheet(QPainter& painter, const QRectF& area, const DesignSheet& sheet);

// The sheet as the bytes of a one-page PDF file titled `title`.
QByteArray DesignSheetPdf(const DesignSheet& sheet, const QString& title,
                          const QLocale& locale = QLocale());

// Draws the sheet on a printer the user has set up. False when the printer
// cannot be started.
bool PrintDesignSheet(QPrinter& printer, const DesignSheet& sheet);

}  // namespace korvane
