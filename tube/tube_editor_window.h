#pragma once
// "My Tubes": the small dialog in which a designer adds, edits and removes
// tubes of their own: a name, aliases, the six model parameters and the two
// plate ratings. Every change is saved at once to their tube file (a CSV of
// the built-in table's columns) with the atomic save; a change that cannot
// be saved is not made, and the dialog says why.

#include <QDialog>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "io/engineering.h"
#include "tube/load_line.h"
#include "tube/tube_library.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace korvane {

class MessageSink;

class TubeEditorWindow final : public QDialog {
    Q_OBJECT
public:
    // `mine` are the designer's tubes as the file gave them, `builtInNames`
    // the names they may not take, `path` the file they are saved to.
    TubeEditorWindow(std::vector<Tube> mine, std::vector<std::string> builtInNames,
                     const QString& path, MessageSink& messages, QWidget* parent);

    void setNotation(Notation notation) { notation_ = notation; }
    const std::vector<Tube>& tubes() const { return mine_; }

    // The buttons: a new tube from the fields, the selected tube replaced
    // by the fields, the selected tube removed (after a Yes).
    void addTube();
    void saveTube();
    void removeTube();

signals:
    // The designer's tubes after a change that was saved.
    void tubesSaved();

private:
    void listTubes(int select);
    void showSelected();
    std::array<std::string, kTubeEditorFields> fieldTexts() const;
    // Saves `tubes` to the file; on success they become the dialog's.
    bool save(std::vector<Tube> tubes, const QString& done);

    std::vector<Tube> mine_;
    std::vector<std::string> builtInNames_;
    QString path_;
    MessageSink& messages_;
    Notation notation_ = Notation::Plain;

    QListWidget* list_ = nullptr;
    std::array<QLineEdit*, kTubeEditorFields> fields_{};
    QLabel* message_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* remove_ = nullptr;
};

}  // namespace korvane
