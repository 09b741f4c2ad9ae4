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

#include "io/twips.h"

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

// Moves `widget` to the twips rectangle (relative to its parent).
void Place(QWidget* widget, const TwipsRect& rect, double dpi);

// An input box: selects its first 99 characters whenever it receives the
// focus, by Tab or by a mouse click alike, so that typing replaces the value.
class InputBox : public QLineEdit {
    Q_OBJECT
public:
    explicit InputBox(const QString& name, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void selectFirst99();
    bool selectOnRelease_ = false;
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
// comes only from a file; a click sets a clear or grayed box and clears a
// set one. Changing the state from code runs no click handler. A caption
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

// An option button that a click selects (never clears); the panel clears
// the others of its group. Not auto-exclusive, so a group may have none
// selected.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    OptionButton(const QString& name, const QString& caption, QWidget* parent);

protected:
    void nextCheckState() override;
};

}  // namespace korvane
