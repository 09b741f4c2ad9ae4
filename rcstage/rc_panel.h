#pragma once
// The RC stage gain panel, Frame1: ten rows of caption, input and unit box,
// Calculate, Close and the check box that switches between wanted-gain mode
// and gain mode. Its inputs live in Korvane_Gain.dat. "From Tube Model..."
// asks for the Triode Load Line window, which can fill the tube's row.

#include <QPushButton>
#include <QStringList>
#include <array>

#include "calc/field_help.h"
#include "ui/panel.h"
#include "ui/widgets.h"

namespace korvane {

class RcPanel final : public Panel {
    Q_OBJECT
public:
    RcPanel(const QString& gPath, MessageSink& messages, QWidget* parent);

    void place(double sw, double sh, double dpi) override;
    QWidget* firstField() const override { return fields_[0]; }

    // The least client size, in pixels, at which every caption of the
    // panel can be read.
    static QSize MinimumClientSize();

    void Calculate1_Click();
    void Check1_Click();
    void Close1_Click();

    QString helpText() const override;

    // Writes `texts` into fields 0, 1, 2, ... in turn (at most fields 0 to
    // 5: the tube number, rp, Rb, Rcf, Rk and the table's gain), as the
    // Triode Load Line window hands them over. Nothing is calculated.
    void setTubeRow(const QStringList& texts);

signals:
    // "From Tube Model..." was clicked.
    void fromTubeModelRequested();

protected:
    void label() override;
    QAbstractButton* closeButton() const override { return close1_; }
    bool applyFile(const std::optional<std::string>& bytes) override;
    std::string fileContent() const override;
    QStringList resultInputs() const override;
    void showOutOfDate(bool outOfDate) override;

private:
    void applyModeSwitch();

    // The result fields of the last Calculate that wrote one, and the
    // fields they are worked out from.
    ResultDependence dependence_;

    std::array<DisplayBox*, 10> labels_{};  // Text2
    std::array<InputBox*, 10> fields_{};    // Text3
    std::array<DisplayBox*, 10> units_{};   // Text8
    StateCheckBox* check1_ = nullptr;
    QPushButton* close1_ = nullptr;
    QPushButton* calculate1_ = nullptr;
    QPushButton* fromTube_ = nullptr;
};

}  // namespace korvane
