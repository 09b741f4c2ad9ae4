#include "ui/messages.h"

#include <QMessageBox>

#include "ui/widgets.h"

namespace korvane {

namespace {
const char* const kTitle = "Korvane";
}

void BoxMessages::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kTitle), LineBreaks(text),
                    QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool BoxMessages::askYesNo(const QString& question) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kTitle), LineBreaks(question),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

SaveAnswer BoxMessages::askSaveDiscardCancel(const QString& question) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kTitle), LineBreaks(question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    if (answer == QMessageBox::Save) return SaveAnswer::Save;
    if (answer == QMessageBox::Discard) return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

}  // namespace korvane
