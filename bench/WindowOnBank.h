#pragma once

#include "bench/BenchBanks.h"

#include "support/MessageBoxWatcher.h"
#include "support/TestBank.h"

#include "app/TfrmMain.h"

#include <QString>

#include <memory>

// The real main window, created in a bank's folder and shown offscreen, as
// the benchmarks drive it: through its controls, found by object name.
// Message boxes are answered as they come.
class WindowOnBank
{
public:
    explicit WindowOnBank(const BenchBank& bank);
    ~WindowOnBank();

    // The window on `bank`, made once and kept while the benchmarks use the
    // same bank (a window on another bank is closed first). The pictures of
    // the category it shows first are read beforehand, so that its clicks
    // are timed with the bank in the page cache, as the other figures are.
    static WindowOnBank& on(const BenchBank& bank);
    // Closes the kept window (before the application object goes).
    static void closeKept();

    const QString& folder() const { return folder_; }
    TfrmMain& form() { return *form_; }

    void click(const char* name);
    // The visible answer button: A for a single-choice question, 对 otherwise.
    void clickAnAnswer();
    void clickTreeEntry(int row);
    // Shows the mock-exam page again, as a wrong must-answer answer does: its
    // start routine draws a new exam, without the opening message.
    void restartExam();
    // Types a number into the go-to box and clicks 转到.
    void typeGoTo(int number);
    void goTo(int number);
    // The number shown beside the question.
    int shownNumber() const;
    // Moves the category box one entry down (up at the last entry), as the
    // arrow keys do.
    void changeCategory();

private:
    template <typename Widget = QWidget>
    Widget* get(const char* name) const;

    QString folder_;
    MessageBoxWatcher messages_;
    WorkingDirectory workingDirectory_;
    std::unique_ptr<TfrmMain> form_;
};
