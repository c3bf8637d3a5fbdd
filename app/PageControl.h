#pragma once

#include <QTabWidget>

// A page control whose hidden pages stay hidden. Qt's tab widget lets
// Ctrl+Tab, the tab bar's arrow keys and the mouse wheel over the tab bar
// make a page current whose tab is hidden; here those move between the tabs
// that are shown only, as a tab control does (Ctrl+Tab, Ctrl+Shift+Tab,
// Ctrl+Page Down and Ctrl+Page Up wrapping round; the arrow keys, Home, End
// and the wheel stopping at either end), and never onto a hidden one. When no
// other tab is shown, those keys are left to the page control around this one. The program itself still shows
// a page by making its tab visible and current.
class PageControl : public QTabWidget
{
public:
    explicit PageControl(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
