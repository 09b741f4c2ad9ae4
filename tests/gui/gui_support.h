#pragma once
// What the GUI tests share: a stand-in for the user at the message boxes,
// a temporary program directory, and finding controls by their names.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QWidget>
#include <memory>

#include "app/main_window.h"
#include "ui/messages.h"

namespace korvane::testing {

// Records every box and answers the Yes/No and the Save/Discard/Cancel
// questions from queues (No and Cancel when a queue runs dry).
struct RecordingMessages final : MessageSink {
    QStringList shown;
    QStringList questions;
    QList<bool> answers;
    QStringList saveQuestions;
    QList<SaveAnswer> saveAnswers;

    void showMessage(const QString& text) override { shown << text; }
    bool askYesNo(const QString& question) override {
        questions << question;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    SaveAnswer askSaveDiscardCancel(const QString& question) override {
        saveQuestions << question;
        return saveAnswers.isEmpty() ? SaveAnswer::Cancel : saveAnswers.takeFirst();
    }
};

// A program directory of its own for each test, and a settings folder of
// its own, which the user's settings are read from and written to while it
// lasts (never the tester's own).
class ProgramDir {
public:
    ProgramDir() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
    }
    QString gPath() const { return dir_.path() + QLatin1Char('/'); }
    QString settingsPath() const { return settings_.path(); }
    QString path(const QString& name) const { return gPath() + name; }
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path(name)));
    }
    void remove(const QString& name) const { QFile::remove(path(name)); }
    // A directory standing where the file should be: it cannot be opened
    // as a file, nor replaced by one, even by root.
    void blockWithDirectory(const QString& name) const {
        remove(name);
        QDir(dir_.path()).mkdir(name);
    }
    void unblock(const QString& name) const { QDir(dir_.path()).rmdir(name); }

private:
    QTemporaryDir dir_;
    QTemporaryDir settings_;
};

template <class T = QWidget>
T* Control(const QWidget* window, const QString& name) {
    T* control = window->findChild<T*>(name);
    if (!control) qFatal("no control %s", qPrintable(name));
    return control;
}

// A main window started in `dir`, active so that it takes the focus.
struct Started {
    RecordingMessages messages;
    std::unique_ptr<MainWindow> window;

    explicit Started(const ProgramDir& dir)
        : window(std::make_unique<MainWindow>(dir.gPath(), &messages)) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get())) qFatal("window not active");
    }
    template <class T = QWidget>
    T* operator()(const QString& name) const { return Control<T>(window.get(), name); }
    void click(const QString& name) const {
        QTest::mouseClick(Control(window.get(), name), Qt::LeftButton);
    }
    // Opens and closes each panel, so that all their controls exist.
    void buildEveryPanel() const {
        const char* closes[] = {"Close1", "Close3", "Close2"};
        for (int i = 0; i < 3; ++i) {
            click(QString("Select1(%1)").arg(i));
            click(closes[i]);
        }
    }
};

// A tool tip's text as the user reads it, a line for each block.
inline QString TipText(const QWidget* widget) {
    return QTextDocumentFragment::fromHtml(widget->toolTip()).toPlainText();
}

inline QByteArray Lines(std::initializer_list<const char*> lines) {
    QByteArray out;
    for (const char* line : lines) out += QByteArray(line) + "\r\n";
    return out;
}

}  // namespace korvane::testing
