#pragma once

#include "support/MessageBoxWatcher.h"
#include "support/TestBank.h"

#include "app/TfrmMain.h"

#include <QPushButton>
#include <QString>

#include <memory>
#include <optional>
#include <stdexcept>

// The real main window, created in a test bank's folder and shown offscreen,
// with short ways to reach its controls by object name. Message boxes are
// answered and recorded from before the window is created.
class FormDriver
{
public:
    explicit FormDriver(const TestBank& bank, std::optional<unsigned> examSeed = 1234);
    ~FormDriver();

    TfrmMain& form() { return *form_; }
    MessageBoxWatcher& messages() { return messages_; }

    template <typename Widget = QWidget>
    Widget* get(const char* name) const
    {
        auto* widget = form_->findChild<Widget*>(QLatin1String(name));
        if (!widget)
            throw std::runtime_error(std::string("no control named ") + name);
        return widget;
    }

    void click(const char* name) { get<QPushButton>(name)->click(); }
    // Shown by the program, whether or not its page is on screen.
    bool showing(const char* name) const { return !get(name)->isHidden(); }

    QString text(const char* name) const; // a label's, line edit's or memo's text
    QString number() const { return text("lbSubjectsNo"); }
    QString question() const { return text("MmFenLei"); }

    // The answer button for the key on show ("A", "B", "C", "对", "错").
    const char* buttonForKey() const;
    void answerRight() { click(buttonForKey()); }
    void answerWrong();

    // Left click released on the tree entry in `row`, or on empty space.
    void clickTreeEntry(int row, Qt::MouseButton button = Qt::LeftButton);
    void clickTreeEmptySpace();
    // The practice pages whose tabs are visible, by object name.
    QStringList visiblePracticePages() const;

    // Types into the go-to box: keeps the typed digits where they were typed.
    void typeGoTo(const QString& maskedText);

private:
    MessageBoxWatcher messages_;
    WorkingDirectory workingDirectory_;
    std::unique_ptr<TfrmMain> form_;
};
