#pragma once
// The Feedback Network panel, Frame2: the wanted feedback factor and the
// range of total resistance, Calculate and Close, the check box that takes
// the factor from the Global Feedback file, and the list of dividers under
// its column heading. Its inputs live in Korvane_Xfmr.dat.

#include <QComboBox>
#include <QListWidget>
#include <functional>
#include <vector>

#include "network/network_search.h"
#include <QPushButton>
#include <array>

#include "ui/panel.h"
#include "ui/widgets.h"

namespace korvane {

// The result list. Ctrl+C copies the selected rows (all rows when none is
// selected) under the column heading, as plain text.
class ResultList final : public QListWidget {
    Q_OBJECT
public:
    ResultList(const QString& name, QWidget* parent);
    void setHeading(const QString& heading) { heading_ = heading; }
    QString copyText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString heading_;
};

// The heading above the list: a caption box whose text moves left as the
// list scrolls sideways, so that its columns stay over the list's.
class HeadingBox final : public DisplayBox {
    Q_OBJECT
public:
    using DisplayBox::DisplayBox;
    void setScroll(int pixels);
    int scroll() const { return scroll_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int scroll_ = 0;
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

protected:
    void label() override;
    QAbstractButton* closeButton() const override { return close2_; }
    bool applyFile(const std::optional<std::string>& bytes) override;
    std::string fileContent() const override;

private:
    Series series() const;
    Tolerance tolerance() const;
    void showListMenu(const QPoint& at);
    void setHeading(Tolerance tolerance);

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
    Tolerance listedTolerance_ = kDefaultTolerance;
    std::function<QString()> askCsvPath_;
};

}  // namespace korvane
