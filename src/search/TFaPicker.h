#pragma once
#include <QWidget>

class CachedDataSet;
class QHBoxLayout;
class QLabel;
class QToolButton;
class TLookupEdit;

// The common part of the picker frames: a caption, a lookup edit bound to an Id column, a
// search button and a label with the description of the chosen row (which takes the rest of
// the frame's width and ends in "…" rather than run into the next control).
//  - Entering the code field enables the search button; leaving it disables the button.
//  - F5 in the code field runs the search button's action.
//  - The search button opens the frame's search dialog; when a code is chosen it is written
//    into the code field and the focus goes back to the field, so leaving the field performs
//    the lookup.
class TFaPicker : public QWidget {
    Q_OBJECT
public:
    explicit TFaPicker(QWidget* parent = nullptr);

    QHBoxLayout* Layout = nullptr;
    QLabel* Caption = nullptr;
    TLookupEdit* Edit = nullptr;
    QToolButton* BtSearch = nullptr;
    QLabel* DescLabel = nullptr;

    // The data set and Id column the code field writes (set by the owning form).
    void bind(CachedDataSet* ds, const QString& field);
    void setFilter(const QString& filter);

    // Entering and leaving the code field, and the search button.
    virtual void EditEnter();
    virtual void EditExit();
    void BtSearchClick();

protected:
    // Opens the frame's search dialog; true with the chosen code when one was chosen.
    virtual bool runSearch(QString& code) = 0;
    bool eventFilter(QObject* obj, QEvent* e) override;
};
