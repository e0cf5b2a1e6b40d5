// "Quick Start Instructions": a short guide to setting up, sending and
// receiving, to read, print or copy.
#pragma once

#include <QDialog>

#include "ui/CommandGuard.h"

class QLayout;
class QPlainTextEdit;
class QPrinter;

namespace vl::ui {

class QuickStart : public QDialog {
    Q_OBJECT

public:
    explicit QuickStart(QWidget* parent = nullptr);

    // The guide shipped with the program.
    static QString Instructions();
    // Prints `text` on `printer`: Courier 10 point, one text height per
    // line, half an inch in from the left and top edges, and a new page when
    // the next line would come closer than that to the bottom edge.
    static void Print(const QString& text, QPrinter& printer);
    // Shows the window modally, centred.
    static void Show(QWidget* mainWindow);

private:
    QPlainTextEdit* BuildText();
    QLayout* BuildButtons();
    void PrintClicked();
    void CopyClicked();

    QPlainTextEdit* text_ = nullptr;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
