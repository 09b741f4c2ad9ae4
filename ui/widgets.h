#pragma once
// The kinds of control the window is built from, and the few helpers every
// panel shares: text conversion at the widget boundary, fonts, placing a
// control at a twips rectangle.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <string>
#include <vector>

#include "layout/twips.h"

namespace korvane {

// Core text (Windows-1252 bytes) to and from widget text.
QString FromCore(const std::string& bytes);
std::string ToCore(const QString& text);
// A text with its CR LF pairs (and lone CRs) as single line breaks.
QString LineBreaks(const QString& text);

// "MS Sans Serif" 9.75 pt, falling back to a sans-serif face. Made once
// and shared by every control that uses it.
const QFont& SansFont();
// "Courier New" 9 pt, falling back to a fixed-pitch face. Made once.
const QFont& FixedFont();

// The least client size, in pixels, at which texts fit the boxes a layout
// gives them. A layout scales with the client area, so a text w pixels wide
// in a box that is the fraction f of the client width needs a client w / f
// wide; boxes are given as a layout for a client of 1 x 1 gives them.
class ClientFloor {
public:
    // A text of `width` x `height` pixels, with `extra` pixels of the box's
    // own (a frame, an indicator) beside it, in `box`.
    void fit(const TwipsRect& box, double width, double height, double extra = 0);
    // A caption in `font` on one line.
    void fitCaption(const TwipsRect& box, const QFont& font, const QString& caption,
                    double extra = 0);
    // A caption that wraps onto two lines beside an indicator.
    void fitTwoLines(const TwipsRect& box, const QFont& font, const QString& caption,
                     double extra);
    void include(const QSize& other);
    QSize size() const;

private:
    double width_ = 0, height_ = 0;
};

// What an option or check box indicator and its gap to the caption take.
double IndicatorWidth();
// What a push button adds to its caption at either side, together.
double ButtonMargins();

// Moves `widget` to the twips rectangle (relative to its parent).
void Place(QWidget* widget, const TwipsRect& rect, double dpi);

// An input box: selects its first 99 characters whenever it receives the
// focus, by Tab or by a mouse click alike, so that typing replaces the value.
class InputBox : public QLineEdit {
    Q_OBJECT
public:
    explicit InputBox(const QString& name, QWidget* parent);

    // For a box the calculations read as a number: from now on, whenever
    // its text is not one number ("100k", "2k2"), the box has a warning
    // tint and its tool tip and accessible description say what it is read
    // as ("Read as 100"). Display only.
    void showHowItIsRead();
    bool isMarked() const { return marked_; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void selectFirst99();
    void updateMark();
    bool selectOnRelease_ = false;
    bool showsReading_ = false;
    bool marked_ = false;
};

// A caption or unit box: text set by the program only, button-face
// background, no focus. Setting a caption also names its input box for
// screen readers (an empty caption keeps the name it had).
class DisplayBox : public QLabel {
    Q_OBJECT
public:
    DisplayBox(const QString& name, QWidget* parent, Qt::Alignment align = Qt::AlignLeft);
    // The input box this caption belongs to (its accessible name follows).
    void setBuddyField(QWidget* field);
    void setCaption(const QString& text);

private:
    QWidget* field_ = nullptr;
};

// A check box with the states 0 clear, 1 set and 2 grayed. The grayed state
// comes only from a file; a click, the space bar and the accessibility
// toggle alike set a clear or grayed box and clear a set one, and each
// emits stateChanged. Setting the state from code (setValue) emits
// nothing. Assistive technology hears a grayed box as mixed. A caption
// wider than the box wraps onto further lines, and a click anywhere on the
// box toggles it.
class StateCheckBox : public QCheckBox {
    Q_OBJECT
public:
    StateCheckBox(const QString& name, const QString& caption, QWidget* parent);
    int value() const;
    void setValue(int state);  // 0, 1 or 2

protected:
    void nextCheckState() override;
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

// An option button: the buttons with the same parent form one group, and
// choosing one - by click, keyboard or the accessibility action - clears
// the others of its group; nothing the user does clears the chosen one.
// Assistive technology hears a radio button.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    OptionButton(const QString& name, const QString& caption, QWidget* parent);
};

// Sets the states of one group's option buttons as they stand, none chosen
// included, as a file can give them. Emits nothing.
void SetGroupStates(const std::vector<OptionButton*>& group, const std::vector<bool>& states);

}  // namespace korvane
