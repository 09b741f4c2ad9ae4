#pragma once
// The kinds of control the window is built from, and the few helpers every
// panel shares: text conversion at the widget boundary, fonts, placing a
// control at a twips rectangle.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QString>
#include <string>
#include <vector>

#include "io/engineering.h"
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

// What a result drawn as out of date says to assistive technology.
inline constexpr const char* kOutOfDateText = "Out of date: press Calculate";

// The two marks a box or list can carry, painted over what the style drew,
// so that they show under any palette and any style sheet: out of date
// washes the contents towards the background, dimming the text; the
// "Read as" mark frames the box in amber.
void PaintOutOfDate(QPainter& painter, const QRect& rect, const QPalette& palette);
void PaintMarkFrame(QPainter& painter, const QRect& rect);

// A caption without its mnemonic marks: "C&lose" -> "Close", "A && B" -> "A & B".
QString WithoutMnemonic(const QString& caption);

// Plain lines as a tool tip, which wraps a long line rather than running
// wider than the window: each line a block of rich text, escaped, its
// blanks kept, a little space below it.
//   {"a  b", "a < b"} -> "<div style=\"white-space:pre-wrap; margin-bottom:4px\">a  b</div>"
//                        "<div style=\"...\">a &lt; b</div>"
QString ToolTipText(const QStringList& lines);

// An input box: selects its first 99 characters whenever it receives the
// focus, by Tab or by a mouse click alike, so that typing replaces the value.
//
// Its accessible description says, a line each: that it is out of date,
// what it is read as, and its help; its tool tip says the same (ToolTipText);
// What's This (Shift+F1) gives the full help.
class InputBox : public QLineEdit {
    Q_OBJECT
public:
    explicit InputBox(const QString& name, QWidget* parent);

    // For a box the calculations read as a number: from now on, whenever
    // the notation does not read its text whole ("100k" with Engineering
    // notation off, "2 k2"), the box has a warning tint and frame, and its
    // tool tip and accessible description say what it is read as ("Read as
    // 100 (100k is 100000 with Engineering notation on)"). Display only.
    void showHowItIsRead();
    bool isMarked() const { return marked_; }
    void setNotation(Notation notation);

    // What the value is (a line or two) and the full text.
    void setHelp(const QString& brief, const QString& full);

    // A result whose inputs have changed since Calculate: drawn dimmed, and
    // described as out of date. The text stays as it is.
    void setOutOfDate(bool outOfDate);
    bool isOutOfDate() const { return outOfDate_; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void selectFirst99();
    void updateMark();
    void updateDescription();
    bool selectOnRelease_ = false;
    bool showsReading_ = false;
    bool marked_ = false;
    bool outOfDate_ = false;
    Notation notation_ = Notation::Plain;
    QString note_;
    QString help_;
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
// box toggles it. A mnemonic ("&Use") is underlined as the style shows
// mnemonics.
class StateCheckBox : public QCheckBox {
    Q_OBJECT
public:
    StateCheckBox(const QString& name, const QString& caption, QWidget* parent);
    int value() const;
    void setValue(int state);  // 0, 1 or 2
    // A short note drawn after the caption, in the same paragraph ("(saved:
    // 393.4e-3)"); it is no part of the caption, nor of the accessible name.
    void setNote(const QString& note);
    QString note() const { return note_; }

protected:
    void nextCheckState() override;
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QString note_;
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
