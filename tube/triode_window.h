#pragma once
// "Triode Load Line": a window of its own beside the main window. The
// designer chooses a tube (from the built-in library or their own tubes,
// found by name or type number as they type), types the four values of a
// common-cathode stage, and reads its operating point, gains, swing and
// distortion, worked out afresh at each typed character, with the chart of
// the tube's plate curves, the DC and AC load lines, the operating point and
// the plate-dissipation limit. "Copy Data" copies the chart as CSV; "Use in
// RC Stage Gain" hands the stage to the RC Stage Gain panel.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "io/engineering.h"
#include "tube/load_line.h"
#include "tube/stage.h"
#include "tube/tube_library.h"

class QChart;
class QChartView;
class QGraphicsSimpleTextItem;
class QLabel;
class QLineEdit;
class QLineSeries;
class QListWidget;
class QPushButton;
class QScatterSeries;
class QValueAxis;

namespace korvane {

class InputBox;
class MessageSink;
class TubeEditorWindow;

class TriodeWindow final : public QWidget {
    Q_OBJECT
public:
    // `myTubesPath` is the designer's tube file, read now: the lines it
    // cannot read are skipped and told once through `messages`. A missing
    // file is no tube and no message. `parent` is the main window: the
    // window stands on its own beside it, not modal.
    TriodeWindow(const QString& myTubesPath, MessageSink& messages, QWidget* parent = nullptr);
    ~TriodeWindow() override;

    // The designer's tube file in their application data folder:
    // ~/.local/share/Korvane/my_tubes.csv ($XDG_DATA_HOME/Korvane/...).
    static QString DefaultMyTubesPath();

    // How the four inputs are read (ReadNumber); the results follow at once.
    void setNotation(Notation notation);
    Notation notation() const { return notation_; }

    // The tube the results are for, or null when the typed text finds none.
    const Tube* chosenTube() const;
    // True while the inputs give an operating point: the results and the
    // chart show it. Otherwise the window shows why not.
    bool hasPoint() const { return hasPoint_; }
    const StagePoint& point() const { return point_; }
    const StageChart& chart() const { return chartData_; }
    QChartView* chartView() const { return view_; }

    // Reads the inputs, solves the stage and puts the results and the
    // chart's data in place. Runs at every change of a value or the tube.
    void recompute();

signals:
    // "Use in RC Stage Gain": the RC Stage Gain panel's fields 0 to 5 (tube
    // number, rp, Rb, Rcf, Rk, gain with Rk bypassed).
    void useInRcStage(const QStringList& fields);

protected:
    // A new palette (a dark theme too) recolours the chart.
    void changeEvent(QEvent* event) override;

private:
    void loadMyTubes();
    void setMyTubes(const std::vector<Tube>& mine);
    // The tubes the typed text finds, and the one it chooses: a new text
    // chooses afresh; a changed set of tubes keeps the chosen one if it is
    // still found.
    void filterTubes();
    void listTubes(bool keepChoice);
    void chooseListedTube();
    void showTube();
    void showError(const QString& text);
    void drawChart();
    void placeCurveLabels();
    void applyColours();
    void copyData();
    void useInRc();
    void editMyTubes();

    QString myTubesPath_;
    MessageSink& messages_;
    Notation notation_ = Notation::Plain;

    // The built-in rows, then the designer's own.
    std::vector<Tube> tubes_;
    std::size_t builtIn_ = 0;
    std::vector<std::size_t> listed_;  // tubes_ index of each list row
    std::optional<std::size_t> chosen_;

    bool hasPoint_ = false;
    StageInput input_;
    StagePoint point_;
    StageChart chartData_;

    QLineEdit* filter_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* source_ = nullptr;
    std::array<InputBox*, kLoadLineInputs> inputs_{};
    std::array<QLineEdit*, kLoadLineResults> results_{};
    QLabel* message_ = nullptr;
    QPushButton* myTubes_ = nullptr;
    QPushButton* copyData_ = nullptr;
    QPushButton* useInRc_ = nullptr;
    QPushButton* close_ = nullptr;
    TubeEditorWindow* editor_ = nullptr;

    QChart* chartItem_ = nullptr;
    QChartView* view_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    std::vector<QLineSeries*> curves_;
    std::vector<QGraphicsSimpleTextItem*> curveLabels_;
    QLineSeries* dcLine_ = nullptr;
    QLineSeries* acLine_ = nullptr;
    QLineSeries* limit_ = nullptr;
    QScatterSeries* pointMark_ = nullptr;
};

}  // namespace korvane
