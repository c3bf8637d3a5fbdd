#pragma once

#include <QWidget>

class RecordSet;

// The page of reference texts: the title grid, the text box and the record
// navigator, bound to the materials set.
class ZiLiaoPage : public QWidget
{
    Q_OBJECT

public:
    explicit ZiLiaoPage(RecordSet& ziLiao, QWidget* parent = nullptr);

    // Opens the materials set on the first visit; later visits keep the
    // current entry and any change not yet posted.
    void showPage();

    // Writes a change not yet posted. Raises StoreError when it cannot be
    // written; the change then stays pending.
    void postPending();

private:
    RecordSet& ziLiao_;
};
