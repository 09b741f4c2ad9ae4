#pragma once
// The Global Feedback panel, Frame3: ten rows of caption, input and unit
// box, Calculate and Close, and the two option groups Frame4 (grid drive)
// and Frame5 (feedback factor or dB). Its inputs and the grid-current
// acceptance AB2 live in Korvane_Feedback.dat.

#include <QGroupBox>
#include <QPushButton>
#include <array>

#include "calc/field_help.h"
#include "ui/panel.h"
#include "ui/widgets.h"

namespace korvane {

class FeedbackPanel final : public Panel {
    Q_OBJECT
public:
    FeedbackPanel(const QString& gPath, MessageSink& messages, QWidget* parent);

    void place(double sw, double sh, double dpi) override;
    QWidget* firstField() const override { return fields_[0]; }

    // The least client size, in pixels, at which every caption of the
    // panel can be read.
    static QSize MinimumClientSize();

    void Calculate3_Click();
    void Close3_Click();

    // Operation with grid current accepted (the flag AB2).
    bool ab2() const { return ab2_; }

    QString helpText() const override;

protected:
    void label() override;
    QAbstractButton* closeButton() const override { return close3_; }
    bool applyFile(const std::optional<std::string>& bytes) override;
    std::string fileContent() const override;
    QStringList resultInputs() const override;
    void showOutOfDate(bool outOfDate) override;

private:
    std::array<bool, 5> optionStates() const;
    void setOptionStates(const std::array<bool, 5>& states);

    std::array<DisplayBox*, 10> labels_{};  // Text6
    std::array<InputBox*, 10> fields_{};    // Text7
    std::array<DisplayBox*, 10> units_{};   // Text10
    QPushButton* calculate3_ = nullptr;
    QPushButton* close3_ = nullptr;
    QGroupBox* frame4_ = nullptr;
    QGroupBox* frame5_ = nullptr;
    std::array<OptionButton*, 5> options_{};  // Option1..Option5
    bool ab2_ = false;
    // The result fields of the last Calculate that wrote them, and the
    // fields they are worked out from.
    ResultDependence dependence_;
};

}  // namespace korvane
