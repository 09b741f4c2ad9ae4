#pragma once
// What the three calculator panels share: the frame that covers the main
// window, the read step against the panel's inputs file, the Close button's
// save, and the replay of a calculation's effects onto the panel.

#include <QAbstractButton>
#include <QFrame>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "ui/messages.h"
#include "ui/widgets.h"

namespace korvane {

struct Outcome;

// The message of a panel whose file cannot be read.
inline constexpr const char* kReadFailureText = "File not found or not right.";
// Asked when closing the window and a panel's inputs could not be saved.
inline constexpr const char* kEndWithoutSavingText =
    "The inputs of this calculator could not be saved.\r\n\r\n"
    "End the program anyway and lose them?";

class Panel : public QFrame {
    Q_OBJECT
public:
    Panel(const QString& name, const QString& gPath, const QString& fileName,
          MessageSink& messages, QWidget* parent);

    // The layout-and-label step for a client area of sw x sh whole twips:
    // place the controls, then set their captions.
    void layoutAndLabel(double sw, double sh, double dpi);
    // Places the controls alone, as when the window's size changes: the
    // captions, which a calculation or a mode switch may have set, stay.
    virtual void place(double sw, double sh, double dpi) = 0;
    // The read step: reads the inputs file into the controls. On a failure
    // the controls filled so far keep what was read, and false is returned.
    // Either way edited() follows.
    bool readStep();
    // The field that gets the focus after a successful opening.
    virtual QWidget* firstField() const = 0;

    // The Close button: saves the inputs and hides the panel. When the file
    // cannot be written the user is told why and the panel stays open with
    // everything in it; returns false then.
    bool closeAndSave();
    // Saves the inputs as the Close button does, and leaves the panel open;
    // false, with the user told why, when the file cannot be written.
    bool saveInputs();
    // The bytes the Close button would write now.
    std::string inputsContent() const { return fileContent(); }

    QString filePath() const { return gPath_ + fileName_; }

    // How the fields are read: the read-as marks follow, the next Calculate
    // reads that way, and shown results whose inputs read otherwise now are
    // out of date.
    void setNotation(Notation notation);
    Notation notation() const { return notation_; }

    // "Help on This Calculator" for the panel as it stands.
    virtual QString helpText() const = 0;

    // The shown results were worked out from other inputs than the panel
    // holds now: they are drawn dimmed until the next Calculate.
    bool resultsOutOfDate() const { return outOfDate_; }

signals:
    // The Close button's save succeeded and the panel is hidden.
    void closed();
    // An input (a field, a check box, an option, a choice) changed, by the
    // user, a read step or a calculation.
    void edited();

protected:
    // Sets the captions of an opening.
    virtual void label() = 0;
    // The Close button; Escape anywhere in the panel clicks it.
    virtual QAbstractButton* closeButton() const = 0;

    // Applies the file's bytes (nothing when it could not be opened);
    // returns whether every item was read and valid.
    virtual bool applyFile(const std::optional<std::string>& bytes) = 0;
    // The file's content for the panel's present state.
    virtual std::string fileContent() const = 0;

    // Shows a calculation's effects in order: field and caption texts, the
    // focus, the result list's lines, and the messages, each message filled
    // in with `messageArgs` (QString::arg) when there are any, for a text
    // Windows-1252 cannot hold such as a file's path.
    void replay(const Outcome& outcome, const std::vector<InputBox*>& fields,
                const std::vector<DisplayBox*>& labels, QListWidget* list = nullptr,
                const QStringList& messageArgs = {});

    // Places each row's caption, input and unit box.
    template <class Rows, class Labels, class Fields, class Units>
    static void placeRows(const Rows& rows, const Labels& labels, const Fields& fields,
                          const Units& units, double dpi) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            Place(labels[i], rows[i].label, dpi);
            Place(fields[i], rows[i].field, dpi);
            Place(units[i], rows[i].unit, dpi);
        }
    }

    MessageSink& messages() { return messages_; }
    const QString& gPath() const { return gPath_; }

    // Out of date. A Calculate that writes its results calls
    // resultsCalculated(); from then on every change of an input calls
    // refreshOutOfDate(), which compares resultInputs() with what they were
    // at that Calculate and has showOutOfDate() draw the results so. A
    // Calculate that leaves no result (a cleared list) calls noResults().
    virtual QStringList resultInputs() const = 0;
    virtual void showOutOfDate(bool outOfDate) = 0;
    void resultsCalculated();
    void noResults();
    void refreshOutOfDate();
    // An input field's part of resultInputs(): its text and the value it
    // is read as.
    QString inputState(const InputBox* field) const;

private:
    // Connects every input's change to edited(), once the panel has built
    // its controls.
    void watchInputs();

    bool watching_ = false;
    QString gPath_;
    QString fileName_;
    MessageSink& messages_;
    Notation notation_ = Notation::Plain;
    bool tracking_ = false;
    bool outOfDate_ = false;
    QStringList calculatedFrom_;
};

}  // namespace korvane
