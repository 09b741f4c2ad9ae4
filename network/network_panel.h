#pragma once
// The Feedback Network panel, Frame2: the wanted feedback factor and the
// range of total resistance, Calculate and Close, the check box that takes
// the factor from the Global Feedback file, and the list of dividers under
// its column heading. Its inputs live in Korvane_Xfmr.dat.

#include <QComboBox>
#include <QListWidget>
#include <functional>
#include <vector>

#include "calc/field_help.h"
#include "network/network_search.h"
#include "network/network_table.h"
#include <QPushButton>
#include <array>
#include <optional>

#include "ui/panel.h"
#include "ui/widgets.h"

namespace korvane {

// The result list. Ctrl+C asks for a copy (copyRequested); out of date,
// its rows are drawn dimmed and its description says so.
class ResultList final : public QListWidget {
    Q_OBJECT
public:
    ResultList(const QString& name, QWidget* parent);
    void setOutOfDate(bool outOfDate);
    bool isOutOfDate() const { return outOfDate_; }

signals:
    void copyRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool outOfDate_ = false;
};

// The heading above the list: a caption box whose text moves left as the
// list scrolls sideways, so that its columns stay over the list's. A click
// on it names the character of the heading under the mouse; the column the
// list is sorted by carries a triangle after its name.
class HeadingBox final : public DisplayBox {
    Q_OBJECT
public:
    using DisplayBox::DisplayBox;
    void setScroll(int pixels);
    int scroll() const { return scroll_; }
    // The name at characters [first, end) of the heading gets the mark;
    // first < 0: none.
    void setSortMark(int first, int end, bool descending);
    // The character of the heading at x pixels from the box's left edge.
    int characterAt(int x) const;

signals:
    void clickedAt(int character);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    double textLeft() const;
    int scroll_ = 0;
    int markFirst_ = -1, markEnd_ = -1;
    bool markDescending_ = false;
};

class NetworkPanel final : public Panel {
    Q_OBJECT
public:
    NetworkPanel(const QString& gPath, MessageSink& messages, QWidget* parent);

    void place(double sw, double sh, double dpi) override;
    QWidget* firstField() const override { return fields_[0]; }

    // The least client size, in pixels, at which every caption of the
    // panel can be read.
    static QSize MinimumClientSize();

    void CmdCalc_Click();
    void Close2_Click();

    // The list's context menu's "Save as CSV...": the listed rows to a file
    // the user picks, through the same atomic save as the inputs files; a
    // failed save says why.
    void saveListAsCsv();
    // Where the CSV goes: the platform's save dialog, or a test's answer (an
    // empty path: the user cancelled).
    void setCsvPathAsker(std::function<QString()> ask) { askCsvPath_ = std::move(ask); }

    // The list in the order of a column's values, ascending or descending,
    // or (no column) in the order of the search, as listed. The order holds
    // for the listings that follow, until it is changed.
    void sortList(std::optional<NetworkColumn> column, bool descending = false);
    // A click on a column's heading: ascending, descending, then the order
    // of the search again.
    void sortByHeading(NetworkColumn column);
    std::optional<NetworkColumn> sortColumn() const { return sortColumn_; }
    // The selected rows, or every row when none is selected, in the order
    // shown, tab-separated under a heading line; to the clipboard.
    QString copyText() const;
    void copyList();

    QString helpText() const override;

protected:
    void label() override;
    QAbstractButton* closeButton() const override { return close2_; }
    bool applyFile(const std::optional<std::string>& bytes) override;
    std::string fileContent() const override;
    QStringList resultInputs() const override;
    void showOutOfDate(bool outOfDate) override;

private:
    Series series() const;
    Tolerance tolerance() const;
    void showListMenu(const QPoint& at);
    void setHeading(Tolerance tolerance);
    // Fills the list from listedLines_ in the order chosen, keeping the
    // selection, and marks the row with the smallest error.
    void relist();
    // The Global Feedback inputs as last read: the note beside Check2.
    void setSavedFeedback(const std::optional<std::string>& bytes);

    // Rows: feedback factor, minimum and maximum total resistance.
    std::array<DisplayBox*, 3> labels_{};  // TlbAr, TlbRMin, TLbRMax
    std::array<InputBox*, 3> fields_{};    // TxtAr, TxtRtMin, TxtRtMax
    std::array<DisplayBox*, 3> units_{};   // TUAr, TURMin, TURMax
    QPushButton* cmdCalc_ = nullptr;
    QPushButton* close2_ = nullptr;
    StateCheckBox* check2_ = nullptr;
    HeadingBox* text16_ = nullptr;
    ResultList* lstOutput_ = nullptr;
    QComboBox* series_ = nullptr;
    QComboBox* tolerance_ = nullptr;
    // What the list shows: its rows' numbers and the tolerance they were
    // listed with.
    std::vector<NetworkRow> listedRows_;
    QStringList listedLines_;
    Tolerance listedTolerance_ = kDefaultTolerance;
    std::function<QString()> askCsvPath_;
    std::optional<NetworkColumn> sortColumn_;
    bool sortDescending_ = false;
    // Row i of the list shows listed row shownOrder_[i].
    std::vector<std::size_t> shownOrder_;
    std::optional<std::string> savedFeedback_;
    // What the shown list was worked out from.
    ResultDependence dependence_;
};

}  // namespace korvane
