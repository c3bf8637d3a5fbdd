#pragma once

#include <QWidget>

class BankDocument;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTimer;

// The reference texts: their titles in a list, the chosen one's title and
// text to edit. A pause in typing (or moving to another text) makes the
// change one undo step.
class MaterialsPanel : public QWidget
{
    Q_OBJECT

public:
    explicit MaterialsPanel(BankDocument& document, QWidget* parent = nullptr);

    // Puts a change still being typed into the document.
    void commit();

private:
    void rebuild();
    void showCurrent();

    BankDocument& document_;
    QListWidget* list_;
    QLineEdit* title_;
    QPlainTextEdit* text_;
    QTimer* pause_;
    int shown_ = -1;
    bool loading_ = false;
};
