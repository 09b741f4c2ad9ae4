// The yardstick for Korvane's start-up: a bare Qt window of 30 widgets of
// the kinds Korvane's panels are made of - ten rows of caption and input
// box, three buttons, a check box, a group of three option buttons, a
// heading and a list of nine rows - the size of Korvane's window, built in
// one go and shown.

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "probe.h"

int main(int argc, char* argv[]) {
    return korvane::bench::RunProbe(
        argc, argv, [] { QApplication::setApplicationName(QStringLiteral("Baseline")); },
        [] {
            auto* window = new QWidget;
            window->setWindowTitle(QStringLiteral("Baseline"));
            window->resize(640, 342);
            for (int i = 0; i < 10; ++i) {
                const int top = 4 + i * 20;
                (new QLabel(QStringLiteral("Caption %1").arg(i), window))
                    ->setGeometry(200, top, 190, 18);
                (new QLineEdit(QStringLiteral("100e3"), window))->setGeometry(400, top, 150, 18);
            }
            for (int i = 0; i < 3; ++i) {
                (new QPushButton(QStringLiteral("Button %1").arg(i), window))
                    ->setGeometry(10, 4 + i * 34, 120, 30);
            }
            (new QCheckBox(QStringLiteral("A check box"), window))->setGeometry(10, 110, 180, 20);
            auto* group = new QGroupBox(QStringLiteral("Options"), window);
            group->setGeometry(10, 135, 180, 70);
            for (int i = 0; i < 3; ++i) {
                (new QRadioButton(QStringLiteral("Option %1").arg(i), group))
                    ->setGeometry(8, 16 + i * 17, 160, 17);
            }
            (new QLabel(QStringLiteral(" R1     R2       B"), window))->setGeometry(10, 208, 620, 16);
            auto* list = new QListWidget(window);
            list->setGeometry(10, 226, 620, 110);
            for (int i = 0; i < 9; ++i) list->addItem(QStringLiteral("row %1").arg(i));
            return window;
        },
        [](QWidget*) {});
}
