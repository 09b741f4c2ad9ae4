#pragma once
// The Feedback Network panel, Frame2: the wanted feedback factor and the
// range of total resistance, Calculate and Close, the check box that takes
// the factor from the Global Feedback file, and the list of dividers under
// its column heading. Its inputs live in Korvane_Xfmr.dat.

#include <QListWidget>
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

protected:
    void label() override;
    QAbstractButton* closeButton() const override { return close2_; }
    bool applyFile(const std::optional<std::string>& bytes) override;
    std::string fileContent() const override;

private:
    // Rows: feedback factor, minimum and maximum total resistance.
    std::array<DisplayBox*, 3> labels_{};  // TlbAr, TlbRMin, TLbRMax
    std::array<InputBox*, 3> fields_{};    // TxtAr, TxtRtMin, TxtRtMax
    std::array<DisplayBox*, 3> units_{};   // TUAr, TURMin, TURMax
    QPushButton* cmdCalc_ = nullptr;
    QPushButton* close2_ = nullptr;
    StateCheckBox* check2_ = nullptr;
    DisplayBox* text16_ = nullptr;
    ResultList* lstOutput_ = nullptr;
};

}  // namespace korvane
